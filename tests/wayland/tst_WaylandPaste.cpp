// Series paste on a wlroots desktop, as its users set it up: the real program runs as the
// desktop's user, a sway key binding runs "quillery --series-paste", and the program types
// Ctrl+V on its own virtual keyboard into the native window that has the focus. The test's
// virtual keyboard is the user's.
#include "Desktop.h"
#include "fakes/TestDir.h"

#include <QDir>
#include <QProcess>
#include <QtTest>

#include <csignal>

namespace {
// The compositor's user: sway's bindings run commands as it, so the program runs as it too.
const QStringList AsDesktopUser = WaylandDesktop::AsDesktopUser + QStringList{"--"};

QString SwaySocket() {
    const QDir runtime(qEnvironmentVariable("XDG_RUNTIME_DIR"));
    const QStringList found = runtime.entryList({"sway-ipc.*.sock"}, QDir::System);
    return found.isEmpty() ? QString() : runtime.filePath(found.first());
}

QByteArray SwayMsg(const QString& command) {
    QProcess msg;
    msg.start("swaymsg", {"-s", SwaySocket(), command});
    msg.waitForFinished(5000);
    return msg.readAllStandardOutput() + msg.readAllStandardError();
}

// The environment of the desktop user's processes. The sanitizer's suppressions go with them
// into the test's folder: the build's own may be out of that user's reach.
QProcessEnvironment DesktopUserEnvironment(const TTestDir& dir) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ASAN_OPTIONS", "fast_unwind_on_malloc=0");
    const QString lsan = env.value("LSAN_OPTIONS");
    if (lsan.startsWith("suppressions=")) {
        QFile::copy(lsan.mid(13), dir.File("lsan.supp"));
        QFile::setPermissions(dir.File("lsan.supp"), QFile::ReadOwner | QFile::ReadOther);
        env.insert("LSAN_OPTIONS", "suppressions=" + dir.File("lsan.supp"));
    }
    return env;
}

struct TResult {
    int Status = -1;
    QByteArray Out, Err;
};
} // namespace

class TestWaylandPaste : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void keyBindingPastesIntoNativeWindow();
    void actionsFromTheCommandLine();

private:
    void StartQuillery();
    void Press(const QByteArray& keys) { WaylandDesktop::Press(Keyboard, keys); }
    TResult Action(const QStringList& args, const QByteArray& input = {});
    QString Program() const { return Dir->File("quillery"); }
    QByteArray Typed() const { return WaylandDesktop::Typed(Dir->File("typed.txt")); }

    std::unique_ptr<TTestDir> Dir;
    QProcess Quillery, Keyboard, Window;
};

void TestWaylandPaste::init() {
    Dir = std::make_unique<TTestDir>();
    QVERIFY(QFile::copy(QUILLERY_BIN_DIR "/quillery", Program()));
    TTestDir::Write(Dir->File("list.clp"),
                    Clp({"one ", "two ", "three ", "four ", "five ", "six ", "seven "}));
    TTestDir::Write(Dir->File("Quillery.Ini"), "[Options]\nSplash=0\nTray=0\nAutoSave=1\n"
                                               "Rows=10\nRowPaste=1\nDefaultFile=" +
                                                   Dir->File("list.clp").toUtf8() + "\n");
    QCOMPARE(QProcess::execute("chown", {"-R", "nobody", Dir->Path()}), 0);
}

void TestWaylandPaste::cleanup() {
    for (QProcess* p : {&Window, &Keyboard, &Quillery}) {
        if (p->state() != QProcess::NotRunning) {
            p->kill();
            p->waitForFinished();
        }
    }
    Dir.reset();
}

void TestWaylandPaste::StartQuillery() {
    QProcessEnvironment env = DesktopUserEnvironment(*Dir);
    env.remove("DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    env.insert("HOME", Dir->Path());
    Quillery.setProcessEnvironment(env);
    Quillery.setProcessChannelMode(QProcess::ForwardedChannels);
    Quillery.start("setpriv", AsDesktopUser + QStringList{Program()});
    QVERIFY(Quillery.waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(Action({"--print", "0"}).Out, QByteArray("one "), 10000);
}

TResult TestWaylandPaste::Action(const QStringList& args, const QByteArray& input) {
    QProcess action;
    action.setProcessEnvironment(DesktopUserEnvironment(*Dir));
    action.start("setpriv", AsDesktopUser + QStringList{Program()} + args);
    action.write(input);
    action.closeWriteChannel();
    if (!action.waitForFinished(10000))
        return {};
    return {action.exitCode(), action.readAllStandardOutput(), action.readAllStandardError()};
}

void TestWaylandPaste::keyBindingPastesIntoNativeWindow() {
    WaylandDesktop::StartKeyboard(Keyboard);
    StartQuillery();
    WaylandDesktop::StartTextWindow(Window, Keyboard, Dir->File("typed.txt"));
    SwayMsg("bindsym Shift+Ctrl+v exec " + Program() + " --series-paste");
    SwayMsg("bindsym Shift+Ctrl+2 exec " + Program() + " --paste 2");
    for (int i = 0; i < 3; ++i)
        Press("Shift_L Control_L v");
    QTRY_COMPARE_WITH_TIMEOUT(Typed(), QByteArray("one two three "), 5000);
    // By number, counted from where the series has got to.
    Press("Shift_L Control_L 2");
    QTRY_COMPARE_WITH_TIMEOUT(Typed(), QByteArray("one two three six "), 5000);
    // Presses faster than a paste are queued, in order.
    Keyboard.write("Shift_L Control_L v\nShift_L Control_L v\n");
    QTRY_COMPARE_WITH_TIMEOUT(Typed(), QByteArray("one two three six four five "), 5000);
    // The pastes were the program's own writes: no clip was added.
    QCOMPARE(Action({"--print", "0"}).Out, QByteArray("one "));
}

void TestWaylandPaste::actionsFromTheCommandLine() {
    const TResult none = Action({"--print", "0"});
    QCOMPARE(none.Status, 1);
    QVERIFY2(none.Err.contains("no Quillery is running"), none.Err);
    StartQuillery();
    QCOMPARE(Action({"--add"}, "from a pipe\n").Status, 0);
    QCOMPARE(Action({"--print", "0"}).Out, QByteArray("from a pipe\n"));
    QTRY_COMPARE_WITH_TIMEOUT(TTestDir::Read(Dir->File("list.clp")).left(14),
                              QByteArray("from a pipe\n\r\n"), 5000);
    QCOMPARE(Action({"--copy", "2"}).Status, 0);
    QProcess paste;
    paste.start("wl-paste", {"--no-newline"});
    QVERIFY(paste.waitForFinished(5000));
    QCOMPARE(paste.readAllStandardOutput(), QByteArray("two "));
    const TResult beyond = Action({"--print", "10"});
    QCOMPARE(beyond.Status, 1);
    QVERIFY2(beyond.Err.contains("10"), beyond.Err);
}

QTEST_GUILESS_MAIN(TestWaylandPaste)
#include "tst_WaylandPaste.moc"
