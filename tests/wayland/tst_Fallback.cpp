// A Wayland desktop without data control (cage) beside an X server: the clipboard goes through
// X11, copies made there are recorded, and it says that it does not see every copy.
#include "platform/session/DesktopServices.h"

#include <QProcess>
#include <QtTest>

class TestFallback : public QObject {
    Q_OBJECT
private slots:
    void clipboardThroughX11();
};

void TestFallback::clipboardThroughX11() {
    QVERIFY(!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"));
    TDesktopServices desktop(
        TDesktopSession::FromEnvironment(QProcessEnvironment::systemEnvironment()));
    QVERIFY(desktop.Choice().Clipboard == TServiceChoice::TClipboard::X11);
    QVERIFY(!desktop.Clipboard().RecordsWithoutFocus());
    QList<QByteArray> copies;
    connect(&desktop.Clipboard(), &IClipboard::Changed, this, [&] {
        if (desktop.Clipboard().HasText())
            copies << desktop.Clipboard().ReadText();
    });
    QProcess xclip;
    xclip.start("xclip", {"-selection", "clipboard", "-i"});
    xclip.write("copied in an X11 window");
    xclip.closeWriteChannel();
    QVERIFY(xclip.waitForFinished(5000));
    QTRY_COMPARE_WITH_TIMEOUT(copies, QList<QByteArray>{"copied in an X11 window"}, 3000);
}

QTEST_MAIN(TestFallback)
#include "tst_Fallback.moc"
