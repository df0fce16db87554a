// The real program on a real KDE Plasma compositor (kwin_wayland, headless): copies recorded
// through its data control, and hot keys bound through its portal.
#include "wayland/DesktopChecks.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

using namespace Desktop;

class TestKdeDesktop : public QObject {
    Q_OBJECT
private slots:
    void firstCopyAfterStartIsRecorded_data() { DesktopChecks::Copiers(); }
    void firstCopyAfterStartIsRecorded();
    void clipPutBackIsReadByWaylandPrograms() { DesktopChecks::ClipPutBackIsRead(); }
    void hotKeysBoundThroughThePortal();
};

void TestKdeDesktop::firstCopyAfterStartIsRecorded() {
    QFETCH(bool, x11);
    DesktopChecks::FirstCopiesAfterStart(x11, x11 ? 3 : 8);
}

namespace {
// The desktop's shortcuts component holding this shortcut, as kglobalaccel lists them.
QString ComponentWith(const QString& shortcut) {
    const QByteArray list =
        Run("dbus-send", {"--print-reply", "--dest=org.kde.kglobalaccel", "/kglobalaccel",
                          "org.kde.KGlobalAccel.allComponents"});
    static const QRegularExpression path(R"re("(/component/[^"]*)")re");
    for (auto it = path.globalMatch(QString::fromUtf8(list)); it.hasNext();) {
        const QString component = it.next().captured(1);
        const QByteArray names = Run("qdbus", {"org.kde.kglobalaccel", component,
                                               "org.kde.kglobalaccel.Component.shortcutNames"});
        if (names.split('\n').contains(shortcut.toUtf8()))
            return component;
    }
    return {};
}
} // namespace

// Plasma 5.27 binds the shortcuts named when the portal session is made; pressing one (here
// through kglobalaccel, as the desktop does for a key chord) reaches the program. The portal
// serves only programs of its own user: the program runs as the desktop's user.
void TestKdeDesktop::hotKeysBoundThroughThePortal() {
    TTestDir dir;
    QVERIFY(QFile::copy(QUILLERY_BIN_DIR "/quillery", dir.File("quillery")));
    TTestDir::Write(dir.File("Quillery.Ini"), "[Options]\nSplash=0\nTray=0\n");
    QVERIFY(Run("chown", {"-R", "nobody", dir.Path()}).isEmpty());
    QProcess quillery;
    QStringList env{"HOME=" + dir.Path(), "XDG_RUNTIME_DIR=" + dir.Path()};
    for (const char* name : {"DBUS_SESSION_BUS_ADDRESS", "WAYLAND_DISPLAY", "DISPLAY",
                             "XDG_CURRENT_DESKTOP", "KDE_SESSION_VERSION", "XDG_SESSION_TYPE"})
        env << QString::fromLatin1(name) + '=' + qEnvironmentVariable(name);
    quillery.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // setpriv execs the program itself, so that the signal at the end reaches it.
    quillery.start("setpriv",
                   QStringList{"--reuid=nobody", "--regid=nogroup", "--clear-groups", "env", "-i"} +
                       env + QStringList{dir.File("quillery")});
    QVERIFY(quillery.waitForStarted());
    QVERIFY(!WaitForWindow(quillery.processId(), "Quillery").isEmpty());
    QString component;
    QTRY_VERIFY_WITH_TIMEOUT(!(component = ComponentWith("series-paste")).isEmpty(), 10000);
    QVERIFY(!ComponentWith("toggle").isEmpty());
    Run("qdbus", {"org.kde.kglobalaccel", component,
                  "org.kde.kglobalaccel.Component.invokeShortcut", "toggle"});
    QTRY_VERIFY_WITH_TIMEOUT(!Visible(quillery.processId(), "Quillery"), 5000);
    Stop(quillery);
}

QTEST_GUILESS_MAIN(TestKdeDesktop)
#include "tst_KdeDesktop.moc"
