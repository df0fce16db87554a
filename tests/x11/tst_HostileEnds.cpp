// The real program ended the hard ways: a termination signal while a box waits for an answer,
// and the X server going away under it. The list is kept either way.
#include "Desktop.h"
#include "core/config/IniFile.h"
#include "core/files/NativeNames.h"

#include <QProcess>
#include <QtTest>

#include <csignal>
#include <filesystem>
#include <sys/stat.h>

using namespace Desktop;

class TestHostileEnds : public QObject {
    Q_OBJECT
private slots:
    void init() { Dir = std::make_unique<TTestDir>(); }
    void cleanup();
    void sigtermWhileABoxWaits_data();
    void sigtermWhileABoxWaits();
    void xServerGoneKeepsTheList();
    void stormOfCopiesLeavesNoBacklog();
    void settingsOrLanguageThatIsAPipe_data();
    void settingsOrLanguageThatIsAPipe();
    void listNamedNotUtf8OnTheCommandLine();

private:
    std::unique_ptr<TTestDir> Dir;
    QProcess Main;
    QProcess Server;
};

void TestHostileEnds::cleanup() {
    for (QProcess* p : {&Main, &Server}) {
        if (p->state() != QProcess::NotRunning) {
            p->kill();
            p->waitForFinished();
        }
    }
    Dir.reset();
}

void TestHostileEnds::sigtermWhileABoxWaits_data() {
    QTest::addColumn<QByteArray>("options");
    QTest::addColumn<QString>("box"); // the title of the box that waits
    QTest::newRow("the exit question")
        << QByteArray("AutoSave=0\nPromptSave=1\nTray=0\n") << "Confirmation";
    QTest::newRow("the error box of a failed exit save")
        << QByteArray("AutoSave=1\nTray=0\n") << "Quillery";
}

// SIGTERM with a box on the screen: the program ends within seconds, the list in a temporary
// list, the user's file as it was.
void TestHostileEnds::sigtermWhileABoxWaits() {
    QFETCH(QByteArray, options);
    QFETCH(QString, box);
    const QString list = Dir->File("list.clp");
    TTestDir::Write(list, Clp({"old"}));
    const bool failing = options.contains("AutoSave=1");
    // A failing save: the list's file is a folder's name that cannot be written.
    const QString file = failing ? Dir->File("list.clp/sub.clp") : list;
    const qint64 pid = StartQuillery(Main, *Dir,
                                     "[Options]\nSplash=0\nRows=5\n" + options +
                                         "DefaultFile=" + file.toUtf8() + "\n");
    const QString window = WaitForWindow(pid, "Quillery");
    QVERIFY(!window.isEmpty());
    XclipCopy("new");
    QTest::qWait(300);
    Run("wmctrl", {"-i", "-c", window});
    const auto boxShown = [&] {
        const QByteArray found = Run("xdotool", {"search", "--all", "--onlyvisible", "--pid",
                                                 QString::number(pid), "--name", "^" + box + "$"});
        return !found.isEmpty() && found != window.toUtf8();
    };
    QTRY_VERIFY_WITH_TIMEOUT(boxShown(), 8000);
    QElapsedTimer clock;
    clock.start();
    ::kill(pid_t(pid), SIGTERM);
    QVERIFY(Main.waitForFinished(5000));
    QCOMPARE(Main.exitCode(), 0);
    QVERIFY(clock.elapsed() < 5000);
    const QList<QByteArray> kept =
        failing ? QList<QByteArray>{"new"} : QList<QByteArray>{"new", "old"};
    QCOMPARE(TTestDir::Read(Dir->File("qlry0001.Clp")), Clp(kept));
    QCOMPARE(TTestDir::Read(list), Clp({"old"}));
}

// The X server crashes: the list is saved where the exit save would put it (a temporary
// list, where a question would have been asked) and the settings are written.
void TestHostileEnds::xServerGoneKeepsTheList() {
    // A display of the test's own, so that the session's stays.
    const QString displayFile = Dir->File("display");
    Server.start(
        "sh", {"-c", "exec Xvfb -displayfd 3 -nolisten tcp -screen 0 800x600x24 3>" + displayFile});
    QVERIFY(Server.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(!TTestDir::Read(displayFile).trimmed().isEmpty(), 10000);
    const QByteArray display = ":" + TTestDir::Read(displayFile).trimmed();
    const QByteArray session = qgetenv("DISPLAY");
    qputenv("DISPLAY", display);
    const qint64 pid = StartQuillery(Main, *Dir, "[Options]\nSplash=0\nAutoSave=0\nPromptSave=1\n");
    const bool started = !WaitForWindow(pid, "Quillery").isEmpty();
    XclipCopy("kept after the crash");
    qputenv("DISPLAY", session);
    QVERIFY(started);
    QTest::qWait(500);
    Server.kill();
    QVERIFY(Main.waitForFinished(5000));
    QCOMPARE(TTestDir::Read(Dir->File("qlry0001.Clp")), Clp({"kept after the crash"}));
    QVERIFY(TIniFile(Dir->File("Quillery.Ini")).ValueExists("Defaults", "Width"));
}

// Copies as fast as another program can make them: the last one is recorded, and the program
// ends within moments of the storm (no backlog of changes already replaced).
void TestHostileEnds::stormOfCopiesLeavesNoBacklog() {
    const QString list = Dir->File("list.clp");
    const qint64 pid = StartQuillery(
        Main, *Dir, "[Options]\nSplash=0\nAutoSave=1\nRows=5\nDefaultFile=" + list.toUtf8() + "\n");
    QVERIFY(!WaitForWindow(pid, "Quillery").isEmpty());
    QProcess storm;
    storm.start(QUILLERY_HELPER_DIR "/storm_copier", {"100000", "1000000"});
    QVERIFY(storm.waitForFinished(60000)); // it answers for its last copy 1.5 s after it
    QElapsedTimer clock;
    clock.start();
    ::kill(pid_t(pid), SIGTERM);
    QVERIFY(Main.waitForFinished(5000));
    QVERIFY2(clock.elapsed() < 2500, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(TTestDir::Read(list).startsWith("burst-100000\r\n"));
}

void TestHostileEnds::settingsOrLanguageThatIsAPipe_data() {
    QTest::addColumn<QString>("pipe");
    QTest::newRow("settings") << "Quillery.Ini";
    QTest::newRow("language") << "German.lng";
}

// A pipe where a settings or language file belongs is not read (it would wait for a writer
// forever): the program starts, ends on request, and leaves the pipe as it was.
void TestHostileEnds::settingsOrLanguageThatIsAPipe() {
    QFETCH(QString, pipe);
    if (pipe != "Quillery.Ini")
        TTestDir::Write(Dir->File("Quillery.Ini"), "[Options]\nSplash=0\nLanguage=German\n");
    QCOMPARE(::mkfifo(Dir->File(pipe).toLocal8Bit().constData(), 0600), 0);
    const qint64 pid = StartQuillery(Main, *Dir, QByteArray());
    QVERIFY(!WaitForWindow(pid, "Quillery").isEmpty());
    ::kill(pid_t(pid), SIGTERM);
    QVERIFY(Main.waitForFinished(5000));
    QCOMPARE(Main.exitCode(), 0);
    struct stat info {};
    QCOMPARE(::stat(Dir->File(pipe).toLocal8Bit().constData(), &info), 0);
    QVERIFY(S_ISFIFO(info.st_mode));
}

// A list whose name is not UTF-8, given on the command line: it opens, a copy reaches that
// very file within the Auto Save second, and no file of another name is made.
void TestHostileEnds::listNamedNotUtf8OnTheCommandLine() {
    const QByteArray list = Dir->Path().toUtf8() + "caf\xe9.clp";
    TTestDir::WriteNamed(list, Clp({"old"}));
    const qint64 pid =
        StartQuillery(Main, *Dir, "[Options]\nSplash=0\nAutoSave=1\nRows=5\nTray=0\n", list);
    QVERIFY(!WaitForWindow(pid, "Quillery").isEmpty());
    XclipCopy("new");
    QTRY_COMPARE_WITH_TIMEOUT(TTestDir::ReadNamed(list), Clp({"new", "old"}), 5000);
    ::kill(pid_t(pid), SIGTERM);
    QVERIFY(Main.waitForFinished(5000));
    QStringList lists;
    for (const auto& entry : std::filesystem::directory_iterator(Dir->Path().toStdString())) {
        if (entry.path().extension() == ".clp" || entry.path().extension() == ".Clp")
            lists << QString::fromStdString(entry.path().filename().string());
    }
    QCOMPARE(lists, QStringList{NativeNames::Shown(NativeNames::Decode("caf\xe9.clp"))});
    // The next start opens it again from the settings.
    QCOMPARE(NativeNames::Encode(
                 TIniFile(Dir->File("Quillery.Ini")).ReadPath("Options", "DefaultFile", QString())),
             list);
}

QTEST_GUILESS_MAIN(TestHostileEnds)
#include "tst_HostileEnds.moc"
