// The real program's hot keys and pastes, with xdotool as the user's keyboard and a Tk text
// window as the program the user types in.
#include "Desktop.h"

#include <QProcess>
#include <QtTest>

#include <csignal>

using namespace Desktop;

namespace {
// The tray icon's window: a window of ours embedded below trayer's panel; empty when none.
QString TrayIconWindow() {
    return QString::fromUtf8(
        Run("sh", {"-c", "xwininfo -root -tree | grep -A50 '\"panel\"' | grep -i quillery | "
                         "head -1 | awk '{print $1}'"}));
}

void PressHotKey(const QString& key) {
    Run("xdotool", {"key", "shift+ctrl+" + key});
    QTest::qWait(300);
}
} // namespace

class TestHotKeys : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void seriesPasteIntoAnotherProgram_data();
    void seriesPasteIntoAnotherProgram();
    void pasteByCommandLine();
    void seriesPasteWithKeysHeld_data();
    void seriesPasteWithKeysHeld();
    void pasteIntoAWindowThatCloses();
    void restoreKeyHidesAndShows_data();
    void restoreKeyHidesAndShows();
    void keyHeldByAnotherProgram();
    void sameKeyTwice();
    void startUpMessageAboveSplash();
    void trayIconIsShown();
    void stayOnTopReachesTheWindowManager_data();
    void stayOnTopReachesTheWindowManager();

private:
    qint64 StartQuillery(const QByteArray& ini) {
        return Desktop::StartQuillery(Quillery, *Dir, ini);
    }
    qint64 StartTarget();
    QString TargetText() const {
        return QString::fromUtf8(TTestDir::Read(Dir->File("target.txt")));
    }

    std::unique_ptr<TTestDir> Dir;
    QProcess Quillery, Target, Grabber;
};

void TestHotKeys::init() {
    Dir = std::make_unique<TTestDir>();
}

void TestHotKeys::cleanup() {
    for (QProcess* p : {&Quillery, &Target, &Grabber}) {
        if (p->state() != QProcess::NotRunning) {
            p->kill();
            p->waitForFinished();
        }
    }
    Dir.reset();
}

qint64 TestHotKeys::StartTarget() {
    Target.start("python3", {QUILLERY_SOURCE_DIR "/tests/x11/helpers/paste_target.py",
                             Dir->File("target.txt")});
    Target.waitForStarted();
    const QString window = WaitForWindow(0, "Paste Target"); // Tk does not name its process
    Run("xdotool", {"windowactivate", "--sync", window});
    QTest::qWait(300);
    return Target.processId();
}

void TestHotKeys::seriesPasteIntoAnotherProgram_data() {
    QTest::addColumn<bool>("numLock");
    QTest::newRow("plain") << false;
    QTest::newRow("NumLock on") << true;
}

void TestHotKeys::seriesPasteIntoAnotherProgram() {
    QFETCH(bool, numLock);
    const qint64 pid = StartQuillery("[Options]\nSplash=0\nAutoSave=1\nRows=5\n");
    QVERIFY(!WaitForWindow(pid, "Quillery").isEmpty());
    for (const char* clip : {"one ", "two ", "three "}) {
        XclipCopy(clip);
        QTest::qWait(200);
    }
    StartTarget();
    if (numLock)
        Run("xdotool", {"key", "Num_Lock"});
    for (int i = 0; i < 3; ++i)
        PressHotKey("v");
    QTRY_COMPARE_WITH_TIMEOUT(TargetText(), QString("three two one "), 5000);
    if (numLock)
        Run("xdotool", {"key", "Num_Lock"});
    ::kill(pid_t(pid), SIGTERM);
    QVERIFY(Quillery.waitForFinished(10000));
    // The program's own writes added no clip.
    QCOMPARE(TTestDir::Read(Dir->File("qlry0001.Clp")),
             QByteArray("three \r\n\x0c\r\ntwo \r\n\x0c\r\none \r\n\x0c\r\n"));
}

// What a key bound on the desktop runs: the same pastes, into the window the user works in.
void TestHotKeys::pasteByCommandLine() {
    const qint64 pid = StartQuillery("[Options]\nSplash=0\nRows=5\n");
    QVERIFY(!WaitForWindow(pid, "Quillery").isEmpty());
    for (const char* clip : {"one ", "two ", "three "}) {
        XclipCopy(clip);
        QTest::qWait(200);
    }
    StartTarget();
    for (const char* action : {"--series-paste", "--series-paste"})
        QCOMPARE(Action(*Dir, {action}).Status, 0);
    QCOMPARE(Action(*Dir, {"--paste", "0"}).Status, 0); // RowPaste is off: no matter
    QTRY_COMPARE_WITH_TIMEOUT(TargetText(), QString("three two one "), 5000);
}

void TestHotKeys::seriesPasteWithKeysHeld_data() {
    QTest::addColumn<int>("delayMs");
    QTest::newRow("tapped 150 ms apart") << 150;
    QTest::newRow("as fast as auto-repeat") << 30;
}

void TestHotKeys::seriesPasteWithKeysHeld() {
    // Shift+Ctrl stay down while V is tapped: every tap pastes its own clip, in order.
    QFETCH(int, delayMs);
    const qint64 pid = StartQuillery("[Options]\nSplash=0\nRows=5\nRowPaste=1\n");
    QVERIFY(!WaitForWindow(pid, "Quillery").isEmpty());
    for (const char* clip : {"one ", "two ", "three ", "four "}) {
        XclipCopy(clip);
        QTest::qWait(200);
    }
    StartTarget();
    Run("xdotool", {"keydown", "shift", "ctrl"});
    Run("xdotool", {"key", "--delay", QString::number(delayMs), "v", "v", "v", "0"});
    Run("xdotool", {"keyup", "shift", "ctrl"});
    // Paste by number (Shift+Ctrl+0) pastes the row the three taps have reached.
    QTRY_COMPARE_WITH_TIMEOUT(TargetText(), QString("four three two one "), 8000);
}

// Presses at auto-repeat speed while their window closes: the paste in flight ends with it, and
// the next press pastes into the next window at once.
void TestHotKeys::pasteIntoAWindowThatCloses() {
    // Two rows: the series stays on a clip however often it is pressed.
    const qint64 pid = StartQuillery("[Options]\nSplash=0\nRows=2\n");
    QVERIFY(!WaitForWindow(pid, "Quillery").isEmpty());
    for (const char* clip : {"one ", "two "}) {
        XclipCopy(clip);
        QTest::qWait(200);
    }
    const qint64 target = StartTarget();
    QProcess::startDetached("sh", {"-c", QString("sleep 0.6; kill %1").arg(target)});
    Run("xdotool", {"keydown", "shift", "ctrl"});
    Run("xdotool", {"key", "--delay", "30", "--repeat", "40", "v"});
    Run("xdotool", {"keyup", "shift", "ctrl"});
    QTRY_COMPARE_WITH_TIMEOUT(Target.state(), QProcess::NotRunning, 5000);
    TTestDir::Write(Dir->File("target.txt"), "");
    StartTarget();
    PressHotKey("v");
    QTRY_COMPARE_WITH_TIMEOUT(TargetText(), QString("one "), 2000);
}

void TestHotKeys::restoreKeyHidesAndShows_data() {
    QTest::addColumn<bool>("maximized");
    QTest::newRow("normal") << false;
    QTest::newRow("maximized comes back maximized") << true;
}

void TestHotKeys::restoreKeyHidesAndShows() {
    QFETCH(bool, maximized);
    const qint64 pid = StartQuillery("[Options]\nSplash=0\nTray=1\n");
    const QString window = WaitForWindow(pid, "Quillery");
    QVERIFY(!window.isEmpty());
    auto isMaximized = [&] {
        return Run("xprop", {"-id", window, "_NET_WM_STATE"}).contains("MAXIMIZED_VERT");
    };
    if (maximized) {
        Run("wmctrl", {"-i", "-r", window, "-b", "add,maximized_vert,maximized_horz"});
        QTRY_VERIFY_WITH_TIMEOUT(isMaximized(), 3000);
    }
    PressHotKey("m");
    QTRY_VERIFY_WITH_TIMEOUT(!Visible(pid, "Quillery"), 3000);
    PressHotKey("m");
    QTRY_VERIFY_WITH_TIMEOUT(Visible(pid, "Quillery"), 3000);
    QTest::qWait(300);
    QCOMPARE(isMaximized(), maximized);
}

void TestHotKeys::keyHeldByAnotherProgram() {
    Grabber.start(QUILLERY_HELPER_DIR "/grab_key", {"m"});
    QVERIFY(Grabber.waitForReadyRead(5000));
    const qint64 pid = StartQuillery("[Options]\nSplash=0\nAutoSave=1\nRows=3\n");
    // The message comes while the program starts, before its main window.
    const QString box = WaitForWindow(pid, "Quillery");
    QVERIFY(!box.isEmpty());
    QVERIFY(
        Run("xprop", {"-id", box, "_NET_WM_WINDOW_TYPE"}).contains("_NET_WM_WINDOW_TYPE_DIALOG"));
    Run("xdotool", {"windowactivate", "--sync", box});
    Run("xdotool", {"key", "Return"});
    QTest::qWait(500);
    XclipCopy("still pasted");
    QTest::qWait(200);
    StartTarget();
    PressHotKey("v");
    QTRY_COMPARE_WITH_TIMEOUT(TargetText(), QString("still pasted"), 5000);
}

void TestHotKeys::sameKeyTwice() {
    // The second hot key on one combination fails as if another program held it.
    const qint64 pid = StartQuillery("[Options]\nSplash=0\nRestoreHK=V\n");
    const QString box = WaitForWindow(pid, "Quillery");
    QVERIFY(!box.isEmpty());
    QVERIFY(
        Run("xprop", {"-id", box, "_NET_WM_WINDOW_TYPE"}).contains("_NET_WM_WINDOW_TYPE_DIALOG"));
    Run("xdotool", {"windowactivate", "--sync", box});
    Run("xdotool", {"key", "Return"});
    // V is the restore key now: it hides the window.
    const QString window = WaitForWindow(pid, "Quillery");
    QVERIFY(!window.isEmpty());
    PressHotKey("v");
    QTRY_VERIFY_WITH_TIMEOUT(!Visible(pid, "Quillery"), 3000);
}

void TestHotKeys::startUpMessageAboveSplash() {
    Grabber.start(QUILLERY_HELPER_DIR "/grab_key", {"m"});
    QVERIFY(Grabber.waitForReadyRead(5000));
    const qint64 pid = StartQuillery("[Options]\nSplash=1\n");
    QVERIFY(!WaitForWindow(pid, "Quillery").isEmpty());
    // The window of each type, by its place in the window manager's stacking order.
    auto place = [&](const QByteArray& type) {
        const QList<QByteArray> stack =
            Run("xprop", {"-root", "_NET_CLIENT_LIST_STACKING"}).split('#').last().split(',');
        for (int i = 0; i < stack.size(); ++i) {
            const QString id = QString::number(stack[i].trimmed().toULongLong(nullptr, 16));
            if (Run("xprop", {"-id", id, "_NET_WM_WINDOW_TYPE"}).contains(type))
                return i;
        }
        return -1;
    };
    QTRY_VERIFY_WITH_TIMEOUT(place("_NET_WM_WINDOW_TYPE_DIALOG") >= 0, 5000);
    const int splash = place("_NET_WM_WINDOW_TYPE_SPLASH");
    QVERIFY(splash >= 0);
    QVERIFY(place("_NET_WM_WINDOW_TYPE_DIALOG") > splash);
}

void TestHotKeys::trayIconIsShown() {
    const qint64 pid = StartQuillery("[Options]\nSplash=0\nTray=1\n");
    QVERIFY(!WaitForWindow(pid, "Quillery").isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(!TrayIconWindow().isEmpty(), 5000);
}

void TestHotKeys::stayOnTopReachesTheWindowManager_data() {
    QTest::addColumn<bool>("onTop");
    QTest::newRow("started on top") << true;
    QTest::newRow("started normal") << false;
}

void TestHotKeys::stayOnTopReachesTheWindowManager() {
    QFETCH(bool, onTop);
    const qint64 pid =
        StartQuillery(QByteArray("[Options]\nSplash=0\nTray=1\nOnTop=") + (onTop ? "1" : "0"));
    const QString window = WaitForWindow(pid, "Quillery");
    QVERIFY(!window.isEmpty());
    auto above = [&] {
        return Run("xprop", {"-id", window, "_NET_WM_STATE"}).contains("_NET_WM_STATE_ABOVE");
    };
    QTRY_COMPARE_WITH_TIMEOUT(above(), onTop, 3000);
    // The tray menu's Stay On Top, chosen by its accelerator.
    QString icon;
    QTRY_VERIFY_WITH_TIMEOUT(!(icon = TrayIconWindow()).isEmpty(), 5000);
    Run("xdotool", {"mousemove", "--window", icon, "5", "5", "click", "3"});
    QTest::qWait(500);
    Run("xdotool", {"key", "t"});
    QTRY_COMPARE_WITH_TIMEOUT(above(), !onTop, 3000);
}

QTEST_MAIN(TestHotKeys)
#include "tst_HotKeys.moc"
