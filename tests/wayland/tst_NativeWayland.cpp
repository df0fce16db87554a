// The real program on a Wayland desktop without an X server: its window on Qt's Wayland
// platform, its clipboard through data control. Copies made by another program reach the list
// and its file; a clicked clip is served to other programs and not recorded again; a
// termination signal ends it with the list saved.
#include "Desktop.h"
#include "fakes/LauncherList.h"
#include "fakes/TestDir.h"

#include <QProcess>
#include <QtTest>

#include <csignal>

using WaylandDesktop::WlCopy;

namespace {
QByteArray WlPaste() {
    QProcess paste;
    paste.start("wl-paste", {"--no-newline"});
    paste.waitForFinished(10000);
    return paste.readAllStandardOutput();
}
class TestNativeWayland : public QObject {
    Q_OBJECT
private slots:
    void copiesReachTheList();
    void aHostileClientAtTheEnd_data();
    void aHostileClientAtTheEnd();
    void listFeedsALauncher();
    void startScript_data();
    void startScript();
};

// A Wayland session without an X server, as the program sees it.
QProcessEnvironment NativeEnvironment() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("QT_QPA_PLATFORM"); // the program picks Wayland itself
    // In the sanitizer build: whole stacks, by which the Wayland platform's own leaks are known.
    env.insert("ASAN_OPTIONS", "fast_unwind_on_malloc=0");
    return env;
}

// The real program in dir, with its list in list.clp.
void LaunchQuillery(QProcess& program, const TTestDir& dir) {
    QVERIFY(QFile::copy(QUILLERY_BIN_DIR "/quillery", dir.File("quillery")));
    const QString list = dir.File("list.clp");
    TTestDir::Write(dir.File("Quillery.Ini"), "[Options]\nSplash=0\nTray=0\nAutoSave=1\nRows=5\n"
                                              "DefaultFile=" +
                                                  list.toUtf8() + "\n");
    program.setProcessEnvironment(NativeEnvironment());
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(dir.File("quillery"));
    QVERIFY(program.waitForStarted());
}

// As LaunchQuillery, once its clipboard is there: the first copy is written at once.
void StartQuillery(QProcess& program, const TTestDir& dir) {
    LaunchQuillery(program, dir);
    const QString list = dir.File("list.clp");
    QTRY_VERIFY_WITH_TIMEOUT((WlCopy("one"), TTestDir::Read(list) == Clp({"one"})), 10000);
}

// A shell command line with $Q for the program in dir; its standard output, or its status
// when not 0.
QByteArray Shell(const TTestDir& dir, const QString& command,
                 QProcessEnvironment env = QProcessEnvironment::systemEnvironment()) {
    QProcess shell;
    env.insert("Q", dir.File("quillery"));
    shell.setProcessEnvironment(env);
    shell.start("sh", {"-c", command});
    if (!shell.waitForFinished(10000))
        return "timed out";
    return shell.exitCode() == 0 ? shell.readAllStandardOutput()
                                 : "status " + QByteArray::number(shell.exitCode()) + ": " +
                                       shell.readAllStandardError();
}

// A click through the desktop's virtual pointer, on the window that fills the headless screen.
void ClickRow(int row) {
    QProcess click;
    click.start(QUILLERY_HELPER_DIR "/wl_click", {"200", QString::number(93 + 20 * row)});
    QVERIFY(click.waitForFinished(10000));
}
} // namespace

void TestNativeWayland::copiesReachTheList() {
    TTestDir dir;
    const QString list = dir.File("list.clp");
    QProcess program;
    StartQuillery(program, dir);
    WlCopy("two");
    WlCopy("caf\xc3\xa9\r\nline");
    QTRY_COMPARE_WITH_TIMEOUT(TTestDir::Read(list), Clp({"caf\xc3\xa9\r\nline", "two", "one"}),
                              5000);

    // A click on the second clip puts it on the clipboard for every program; it does not come
    // back as a copy.
    ClickRow(1);
    QCOMPARE(WlPaste(), QByteArray("two"));
    QTest::qWait(1500); // an Auto Save second
    QCOMPARE(TTestDir::Read(list), Clp({"caf\xc3\xa9\r\nline", "two", "one"}));
    WlCopy("after");
    QTRY_COMPARE_WITH_TIMEOUT(TTestDir::Read(list),
                              Clp({"after", "caf\xc3\xa9\r\nline", "two", "one"}), 5000);

    ::kill(pid_t(program.processId()), SIGTERM);
    QVERIFY(program.waitForFinished(5000));
    QCOMPARE(program.exitCode(), 0);
}

void TestNativeWayland::aHostileClientAtTheEnd_data() {
    QTest::addColumn<QString>("hostile");
    QTest::newRow("an owner that drips: the copies after it are saved") << "drip";
    QTest::newRow("readers that never read: the program ends all the same") << "deaf";
}

void TestNativeWayland::aHostileClientAtTheEnd() {
    QFETCH(QString, hostile);
    TTestDir dir;
    const QString list = dir.File("list.clp");
    QProcess program;
    StartQuillery(program, dir);
    QProcess client;
    QList<QByteArray> saved{"one"};
    if (hostile == "deaf") { // a clip larger than a pipe holds is served to them
        const QByteArray large(1 << 20, 'L');
        WlCopy(large);
        WlCopy("small");
        QTRY_COMPARE_WITH_TIMEOUT(TTestDir::Read(list), Clp({"small", large, "one"}), 5000);
        ClickRow(1);
        QTRY_VERIFY_WITH_TIMEOUT(WlPaste() == large, 5000);
        client.start(QUILLERY_HELPER_DIR "/wl_hostile", {"deaf", "3"});
        QVERIFY(client.waitForReadyRead(5000));
        saved = {"small", large, "one"};
    } else {
        client.start(QUILLERY_HELPER_DIR "/wl_hostile", {"drip"});
        QVERIFY(client.waitForReadyRead(5000));
        for (const QByteArray copy : {"a", "b", "c"}) {
            WlCopy(copy);
            saved.prepend(copy);
        }
        QTest::qWait(300); // read, and held back behind the drip
    }
    ::kill(pid_t(program.processId()), SIGTERM);
    QVERIFY(program.waitForFinished(5000));
    QCOMPARE(program.exitCode(), 0);
    QCOMPARE(TTestDir::Read(list), Clp(saved));
    client.kill();
    client.waitForFinished();
}

// A launcher's pipeline: the list, the chosen line's number back to --copy.
void TestNativeWayland::listFeedsALauncher() {
    TTestDir dir;
    TTestDir::Write(dir.File("list.clp"), Clp(LauncherList::Clips()));
    QProcess program;
    LaunchQuillery(program, dir);
    QTRY_COMPARE_WITH_TIMEOUT(Shell(dir, "\"$Q\" --list"), LauncherList::Listed(), 10000);
    QCOMPARE(Shell(dir, LauncherList::Pipeline()), QByteArray());
    QCOMPARE(WlPaste(), LauncherList::Picked());
    program.kill();
    program.waitForFinished();
}

void TestNativeWayland::startScript_data() {
    QTest::addColumn<bool>("wayland");
    QTest::addColumn<QByteArray>("said");
    QTest::newRow("Wayland without an X server: the window") << true << QByteArray();
    QTest::newRow("no desktop session: the reason")
        << false << QByteArray("Quillery needs a desktop session");
}

// The script that starts the program from the build, as a new user runs it.
void TestNativeWayland::startScript() {
    QFETCH(bool, wayland);
    QFETCH(QByteArray, said);
    TTestDir dir;
    QVERIFY(QFile::copy(QUILLERY_BIN_DIR "/quillery", dir.File("quillery")));
    TTestDir::Write(dir.File("Quillery.Ini"), "[Options]\nSplash=0\nTray=0\n");
    QProcessEnvironment env = NativeEnvironment();
    if (!wayland)
        env.remove("WAYLAND_DISPLAY");
    QProcess script;
    script.setProcessEnvironment(env);
    script.setProcessChannelMode(QProcess::MergedChannels);
    script.start(QUILLERY_SOURCE_DIR "/scripts/start.sh", {dir.File("quillery")});
    if (!wayland) {
        QVERIFY(script.waitForFinished(10000));
        QCOMPARE(script.exitCode(), 1);
        const QByteArray out = script.readAll();
        QVERIFY2(out.contains(said), out);
        return;
    }
    const QByteArray window = "\"app_id\": \"dev.quillery.Quillery\"";
    QTRY_VERIFY_WITH_TIMEOUT(WaylandDesktop::SwayMsg({"-t", "get_tree"}).contains(window), 10000);
    ::kill(pid_t(script.processId()), SIGTERM); // the script has become the program
    QVERIFY(script.waitForFinished(5000));
    QVERIFY2(script.exitCode() == 0, script.readAll().constData());
}

QTEST_GUILESS_MAIN(TestNativeWayland)
#include "tst_NativeWayland.moc"
