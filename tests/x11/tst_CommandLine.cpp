// The real program driven from the command line: a second start hands its action to the
// running instance and ends with a status that says how it went.
#include "Desktop.h"
#include "core/start/CommandLine.h"
#include "fakes/LauncherList.h"

#include <QProcess>
#include <QtTest>

#include <csignal>
#include <sys/stat.h>

using namespace Desktop;

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void actions_data();
    void actions();
    void toggleHidesAndShows();
    void crashedInstanceIsTakenOver();
    void listFeedsALauncher();

private:
    qint64 Start() {
        return StartQuillery(Quillery, *Dir,
                             "[Options]\nSplash=0\nTray=0\nAutoSave=1\nRows=5\nDefaultFile=" +
                                 Dir->File("list.clp").toUtf8() + "\n");
    }
    void Stop() {
        Quillery.kill();
        Quillery.waitForFinished();
    }

    std::unique_ptr<TTestDir> Dir;
    QProcess Quillery;
};

void TestCommandLine::initTestCase() {
    Dir = std::make_unique<TTestDir>();
    TTestDir::Write(Dir->File("list.clp"), Clp({"three ", "two ", "one "}));
    QVERIFY(Start());
    QTRY_COMPARE_WITH_TIMEOUT(Action(*Dir, {"--print", "0"}).Out, QByteArray("three "), 10000);
}

void TestCommandLine::cleanupTestCase() {
    Stop();
    Dir.reset();
}

void TestCommandLine::actions_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("out");       // exactly
    QTest::addColumn<QByteArray>("err");       // contained
    QTest::addColumn<QByteArray>("clipboard"); // afterwards, when not null
    QTest::addColumn<QByteArray>("saved");     // the list file afterwards, when not null
    const QByteArray none;
    QTest::newRow("print") << QStringList{"--print", "1"} << none << 0 << QByteArray("two ")
                           << QByteArray() << none << none;
    QTest::newRow("print, the number joined") << QStringList{"--print=2"} << none << 0
                                              << QByteArray("one ") << QByteArray() << none << none;
    QTest::newRow("print an empty row after the last clip")
        << QStringList{"--print", "4"} << none << 1 << QByteArray()
        << QByteArray("There is no clip 4: the clips are numbered 0 to 2.") << none << none;
    QTest::newRow("print beyond the grid")
        << QStringList{"--print", "5"} << none << 1 << QByteArray()
        << QByteArray("There is no clip 5: the clips are numbered 0 to 2.") << none << none;
    QTest::newRow("copy") << QStringList{"--copy", "2"} << none << 0 << QByteArray() << QByteArray()
                          << QByteArray("one ") << none;
    QTest::newRow("add empty input") << QStringList{"--add"} << QByteArray() << 1 << QByteArray()
                                     << QByteArray("empty") << none << none;
    QTest::newRow("add, saved within a second")
        << QStringList{"--add"} << QByteArray("caf\xc3\xa9\r\nline\n") << 0 << QByteArray()
        << QByteArray() << none << Clp({"caf\xc3\xa9\r\nline\n", "three ", "two ", "one "});
    QTest::newRow("help") << QStringList{"--help"} << none << 0 << CommandLineUsage().toUtf8()
                          << QByteArray() << none << none;
    QTest::newRow("paste beyond 9")
        << QStringList{"--paste", "10"} << none << 2 << QByteArray()
        << QByteArray("--paste takes a number from 0 to 9") << none << none;
    QTest::newRow("print without a number") << QStringList{"--print"} << none << 2 << QByteArray()
                                            << QByteArray("Usage: quillery") << none << none;
    QTest::newRow("a negative number") << QStringList{"--copy", "-1"} << none << 2 << QByteArray()
                                       << QByteArray("clip number") << none << none;
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << none << 2 << QByteArray()
                                    << QByteArray("unknown option --frobnicate") << none << none;
    QTest::newRow("two actions") << QStringList{"--toggle", "--add"} << none << 2 << QByteArray()
                                 << QByteArray("one action at a time") << none << none;
    QTest::newRow("an action and a file")
        << QStringList{"--toggle", "list.clp"} << none << 2 << QByteArray()
        << QByteArray("an action takes no file name") << none << none;
}

void TestCommandLine::actions() {
    QFETCH(QStringList, args);
    QFETCH(QByteArray, input);
    QFETCH(int, status);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QFETCH(QByteArray, clipboard);
    QFETCH(QByteArray, saved);
    const TActionResult result = Action(*Dir, args, input);
    QCOMPARE(result.Status, status);
    QCOMPARE(result.Out, out);
    QVERIFY2(result.Err.contains(err), result.Err);
    if (!clipboard.isNull())
        QCOMPARE(Run("xclip", {"-selection", "clipboard", "-o"}), clipboard.trimmed());
    if (!saved.isNull())
        QTRY_COMPARE_WITH_TIMEOUT(TTestDir::Read(Dir->File("list.clp")), saved, 3000);
}

void TestCommandLine::toggleHidesAndShows() {
    const qint64 pid = Quillery.processId();
    QVERIFY(!WaitForWindow(pid, "Quillery").isEmpty());
    QCOMPARE(Action(*Dir, {"--toggle"}).Status, 0);
    QTRY_VERIFY_WITH_TIMEOUT(!Visible(pid, "Quillery"), 5000);
    QCOMPARE(Action(*Dir, {"--toggle"}).Status, 0);
    QTRY_VERIFY_WITH_TIMEOUT(Visible(pid, "Quillery"), 5000);
}

// The socket stays behind a killed instance; the next one answers there, privately.
void TestCommandLine::crashedInstanceIsTakenOver() {
    ::kill(pid_t(Quillery.processId()), SIGKILL);
    QVERIFY(Quillery.waitForFinished(5000));
    const QString socket = Dir->File("quillery-actions/socket");
    QVERIFY(QFile::exists(socket));
    const TActionResult gone = Action(*Dir, {"--print", "0"});
    QCOMPARE(gone.Status, 1);
    QVERIFY2(gone.Err.contains("no Quillery is running"), gone.Err);

    QVERIFY(Start());
    QTRY_COMPARE_WITH_TIMEOUT(Action(*Dir, {"--print", "1"}).Out, QByteArray("three "), 10000);
    struct stat folder {
    }, file{};
    QCOMPARE(::stat(QFile::encodeName(Dir->File("quillery-actions")).constData(), &folder), 0);
    QCOMPARE(::stat(QFile::encodeName(socket).constData(), &file), 0);
    QCOMPARE(folder.st_mode & 0777, 0700u);
    QCOMPARE(file.st_mode & 0777, 0600u);
}

// A launcher's pipeline: the list, the chosen line's number back to --copy.
void TestCommandLine::listFeedsALauncher() {
    Stop();
    TTestDir::Write(Dir->File("list.clp"), Clp(LauncherList::Clips()));
    QVERIFY(Start());
    QTRY_COMPARE_WITH_TIMEOUT(Action(*Dir, {"--list"}).Out, LauncherList::Listed(), 10000);
    QProcess shell;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", Dir->Path());
    env.insert("Q", Dir->File("quillery"));
    shell.setProcessEnvironment(env);
    shell.start("sh", {"-c", LauncherList::Pipeline()});
    QVERIFY(shell.waitForFinished(10000));
    QCOMPARE(shell.exitCode(), 0);
    QCOMPARE(Run("xclip", {"-selection", "clipboard", "-o"}), LauncherList::Picked());
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_CommandLine.moc"
