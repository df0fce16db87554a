// Series paste on a wlroots desktop, as its users set it up: the real program runs as the
// desktop's user, a sway key binding runs "quillery --series-paste", and the program types
// Ctrl+V on its own virtual keyboard into the native window that has the focus. The test's
// virtual keyboard is the user's. The same holds where the machine has portals installed,
// which D-Bus starts on every session bus.
#include "Desktop.h"
#include "fakes/TestDir.h"

#include <QDir>
#include <QProcess>
#include <QtTest>

#include <csignal>

namespace {
// The compositor's user: sway's bindings run commands as it, so the program runs as it too.
const QStringList AsDesktopUser = WaylandDesktop::AsDesktopUser + QStringList{"--"};

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

// A session bus of the desktop's user. With portals it offers every service of the machine;
// without, only the accessibility bus.
QByteArray StartBus(QProcess& bus, const TTestDir& dir, bool portals) {
    const QString services = dir.File("services");
    QDir().mkpath(services);
    QFile::copy("/usr/share/dbus-1/services/org.a11y.Bus.service",
                services + "/org.a11y.Bus.service");
    TTestDir::Write(dir.File("bus.conf"),
                    "<busconfig><type>session</type><listen>unix:path=" + dir.File("bus").toUtf8() +
                        "</listen><auth>EXTERNAL</auth>" +
                        (portals ? "<standard_session_servicedirs/>"
                                 : "<servicedir>" + services.toUtf8() + "</servicedir>") +
                        "<policy context=\"default\"><allow send_destination=\"*\" "
                        "eavesdrop=\"true\"/><allow eavesdrop=\"true\"/><allow own=\"*\"/>"
                        "</policy></busconfig>");
    bus.start("setpriv", AsDesktopUser + QStringList{"dbus-daemon", "--nofork", "--print-address=1",
                                                     "--config-file=" + dir.File("bus.conf")});
    if (!bus.waitForReadyRead(10000))
        return {};
    const QByteArray address = bus.readLine().trimmed();
    // Up before the program, as at a login: Qt looks for it at start and does not start it.
    QProcess a11y;
    a11y.start("setpriv", AsDesktopUser + QStringList{"dbus-send", "--bus=" + address,
                                                      "--print-reply", "--dest=org.a11y.Bus",
                                                      "/org/a11y/bus", "org.a11y.Bus.GetAddress"});
    return a11y.waitForFinished(10000) && a11y.exitCode() == 0 ? address : QByteArray();
}

// The status line, as a screen reader reads it.
QByteArray StatusLine() {
    QProcess reader;
    reader.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    reader.start("setpriv",
                 AsDesktopUser + QStringList{"/usr/bin/python3",
                                             QUILLERY_SOURCE_DIR "/tests/atspi.py", "--print"});
    if (!reader.waitForFinished(5000)) {
        reader.kill(); // an application that doesn't answer
        reader.waitForFinished();
    }
    for (const QByteArray& line : reader.readAllStandardOutput().split('\n'))
        if (line.startsWith("label\tStatus line\t"))
            return line.split('\t').value(3);
    return {};
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
    void keyBindingPastesIntoNativeWindow_data();
    void keyBindingPastesIntoNativeWindow();
    void actionsFromTheCommandLine();

private:
    void StartQuillery();
    void Press(const QByteArray& keys) { WaylandDesktop::Press(Keyboard, keys); }
    TResult Action(const QStringList& args, const QByteArray& input = {});
    QString Program() const { return Dir->File("quillery"); }
    QByteArray Typed() const { return WaylandDesktop::Typed(Dir->File("typed.txt")); }

    std::unique_ptr<TTestDir> Dir;
    QProcess Quillery, Keyboard, Window, Bus;
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
    for (QProcess* p : {&Window, &Keyboard, &Quillery, &Bus}) {
        if (p->state() != QProcess::NotRunning) {
            p->kill();
            p->waitForFinished();
        }
    }
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    Dir.reset();
}

void TestWaylandPaste::StartQuillery() {
    QProcessEnvironment env = DesktopUserEnvironment(*Dir);
    env.remove("DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    env.insert("HOME", Dir->Path());
    env.insert("XDG_CURRENT_DESKTOP", "sway");
    env.insert("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
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

void TestWaylandPaste::keyBindingPastesIntoNativeWindow_data() {
    QTest::addColumn<bool>("portals");
    QTest::newRow("a plain sway") << false;
    // They offer hot keys and pasting of other desktops' back ends: of no use here.
    QTest::newRow("portals installed") << true;
}

void TestWaylandPaste::keyBindingPastesIntoNativeWindow() {
    QFETCH(bool, portals);
    const QByteArray bus = StartBus(Bus, *Dir, portals);
    QVERIFY(!bus.isEmpty());
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus);
    WaylandDesktop::StartKeyboard(Keyboard);
    StartQuillery();
    QTRY_VERIFY_WITH_TIMEOUT(StatusLine().contains("no global hot keys"), 10000);
    WaylandDesktop::StartTextWindow(Window, Keyboard, Dir->File("typed.txt"));
    WaylandDesktop::SwayMsg({"bindsym Shift+Ctrl+v exec " + Program() + " --series-paste"});
    WaylandDesktop::SwayMsg({"bindsym Shift+Ctrl+2 exec " + Program() + " --paste 2"});
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
