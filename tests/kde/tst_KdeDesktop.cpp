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
    void seriesPasteIntoANativeWindow_data();
    void seriesPasteIntoANativeWindow();
};

void TestKdeDesktop::firstCopyAfterStartIsRecorded() {
    QFETCH(bool, x11);
    DesktopChecks::FirstCopiesAfterStart(x11, x11 ? 3 : 8);
}

namespace {
// The running program's shortcuts component holding this shortcut, as kglobalaccel lists them.
QString ComponentWith(const QString& shortcut) {
    const QByteArray list =
        Run("dbus-send", {"--print-reply", "--dest=org.kde.kglobalaccel", "/kglobalaccel",
                          "org.kde.KGlobalAccel.allComponents"});
    static const QRegularExpression path(R"re("(/component/[^"]*)")re");
    for (auto it = path.globalMatch(QString::fromUtf8(list)); it.hasNext();) {
        const QString component = it.next().captured(1);
        const QByteArray names = Run("qdbus", {"org.kde.kglobalaccel", component,
                                               "org.kde.kglobalaccel.Component.shortcutNames"});
        // Components of programs that have ended stay listed, inactive.
        if (names.split('\n').contains(shortcut.toUtf8()) &&
            Run("qdbus", {"org.kde.kglobalaccel", component,
                          "org.kde.kglobalaccel.Component.isActive"}) == "true")
            return component;
    }
    return {};
}

void Press(const QString& component, const QString& shortcut) {
    Run("qdbus", {"org.kde.kglobalaccel", component,
                  "org.kde.kglobalaccel.Component.invokeShortcut", shortcut});
}
} // namespace

// Plasma 5.27 binds the shortcuts named when the portal session is made; pressing one (here
// through kglobalaccel, as the desktop does for a key chord) reaches the program: the toggle
// minimizes the window and brings it back.
void TestKdeDesktop::hotKeysBoundThroughThePortal() {
    TTestDir dir;
    QProcess quillery;
    DesktopChecks::StartAsDesktopUser(quillery, dir, {"a clip"});
    QVERIFY(!WaitForWindow(quillery.processId(), "Quillery").isEmpty());
    QString component;
    QTRY_VERIFY_WITH_TIMEOUT(!(component = ComponentWith("series-paste")).isEmpty(), 10000);
    QVERIFY(!ComponentWith("toggle").isEmpty());
    Press(component, "toggle");
    QTRY_VERIFY_WITH_TIMEOUT(!Visible(quillery.processId(), "Quillery"), 5000);
    Press(component, "toggle");
    QTRY_VERIFY_WITH_TIMEOUT(Visible(quillery.processId(), "Quillery"), 5000);
    Stop(quillery);
}

void TestKdeDesktop::seriesPasteIntoANativeWindow_data() {
    QTest::addColumn<QString>("platform");
    QTest::newRow("window on XWayland") << "xcb";
    QTest::newRow("window on Wayland") << "wayland";
}

// The series paste's hot key types each clip in turn into the native window that has the
// focus, through the remote-desktop portal (which asks nothing of a program outside a
// sandbox).
void TestKdeDesktop::seriesPasteIntoANativeWindow() {
    QFETCH(QString, platform);
    TTestDir dir;
    QProcess quillery;
    DesktopChecks::StartAsDesktopUser(quillery, dir, {"one ", "two ", "three "}, platform);
    QString component;
    QTRY_VERIFY_WITH_TIMEOUT(!(component = ComponentWith("series-paste")).isEmpty(), 10000);
    QProcess window;
    const QString typed = dir.File("typed.txt");
    // The program's own window, once mapped, takes the focus: a native one is mapped later.
    QTest::qWait(3000);
    window.start(QUILLERY_HELPER_DIR "/text_window", {typed});
    QVERIFY(window.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(typed), 10000); // it has the focus
    // Presses faster than a paste are queued, in order.
    for (int i = 0; i < 3; ++i)
        Press(component, "series-paste");
    QTRY_COMPARE_WITH_TIMEOUT(WaylandDesktop::Typed(typed), QByteArray("one two three "), 10000);
    window.kill();
    window.waitForFinished();
    Stop(quillery);
}

QTEST_GUILESS_MAIN(TestKdeDesktop)
#include "tst_KdeDesktop.moc"
