// The real program on a real GNOME compositor (mutter, headless), which offers clipboard
// managers no data control: copies recorded through its mirror of the clipboard in XWayland,
// and clips pasted through the portal's remote desktop.
#include "wayland/DesktopChecks.h"

#include <QtTest>

class TestGnomeDesktop : public QObject {
    Q_OBJECT
private slots:
    void firstCopyAfterStartIsRecorded_data() { DesktopChecks::Copiers(); }
    void firstCopyAfterStartIsRecorded();
    void clipPutBackIsReadByWaylandPrograms() { DesktopChecks::ClipPutBackIsRead(); }
    void seriesPasteThroughTheRemoteDesktop();
};

void TestGnomeDesktop::firstCopyAfterStartIsRecorded() {
    QFETCH(bool, x11);
    DesktopChecks::FirstCopiesAfterStart(x11, x11 ? 3 : 8);
}

// GNOME 43 gives no global shortcuts: the user binds a key to the command line, run here as
// that key would run it. The first paste asks, through the portal's remote desktop, whether
// Quillery may type (answered over AT-SPI, as the user would); then each press types its clip
// into the native window that has the focus.
void TestGnomeDesktop::seriesPasteThroughTheRemoteDesktop() {
    using namespace Desktop;
    TTestDir dir;
    QProcess quillery;
    DesktopChecks::StartAsDesktopUser(quillery, dir, {"one ", "two "});
    QProcess window;
    const QString typed = dir.File("typed.txt");
    window.start(QUILLERY_HELPER_DIR "/text_window", {typed});
    QVERIFY(window.waitForStarted());
    QTest::qWait(1000); // a new window gets the focus
    QProcess user;
    user.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // The accessibility bus lets in only the desktop's user.
    user.start("setpriv",
               WaylandDesktop::AsDesktopUser +
                   QStringList{"/usr/bin/python3", QUILLERY_SOURCE_DIR "/tests/atspi.py"});
    const QStringList seriesPaste = DesktopChecks::AsDesktopUser(dir) << "--series-paste";
    Run("setpriv", seriesPaste);
    QVERIFY(user.waitForFinished(40000));
    QCOMPARE(user.readAllStandardOutput(), QByteArray("answered\n"));
    QTRY_COMPARE_WITH_TIMEOUT(WaylandDesktop::Typed(typed), QByteArray("one "), 10000);
    Run("setpriv", seriesPaste);
    QTRY_COMPARE_WITH_TIMEOUT(WaylandDesktop::Typed(typed), QByteArray("one two "), 10000);
    window.kill();
    window.waitForFinished();
    Stop(quillery);
}

QTEST_GUILESS_MAIN(TestGnomeDesktop)
#include "tst_GnomeDesktop.moc"
