// The real program in a real X session: start-up, capture, and the ways it ends.
#include "Desktop.h"
#include "core/config/IniFile.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <csignal>

using namespace Desktop;

class TestProgram : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startupListAndCopiesSavedOnSigterm();
    void closeWithTrayOffSavesToTempList();
    void closeWithTrayOnKeepsRunning();
    void secondCopyAnsweredNo();
    void secondCopyQuestionClosed();
    void rollUpAndBackByKeyboard();
    void sigtermEndsWhenSettingsCannotBeWritten();
    void twoProgramsEndingTogetherKeepBothLists();
    void openCopyZoomEditAndAutoSaveByKeyboard();
    void selectClipAndSelectAllReachTheClipboard();
    void replaceAllThroughTheDialog();
    void oldAutostartEntryBecomesOurs();
    void associatedByKeysThenOpenedByTheDesktop();
    void f1OpensTheHelpContents();
    void autoSavedCopiesSurviveKill9();
    void aSignalDuringAStartUpBoxEndsCleanly_data();
    void aSignalDuringAStartUpBoxEndsCleanly();

private:
    void Install(const QByteArray& ini) { TTestDir::Write(Dir->File("Quillery.Ini"), ini); }
    qint64 Start(QProcess& process) { return StartQuillery(process, *Dir, QByteArray()); }

    std::unique_ptr<TTestDir> Dir;
    QProcess Main;
    QProcess Second;
};

void TestProgram::init() {
    Dir = std::make_unique<TTestDir>();
}

void TestProgram::cleanup() {
    for (QProcess* p : {&Main, &Second}) {
        if (p->state() != QProcess::NotRunning) {
            p->kill();
            p->waitForFinished();
        }
    }
    Dir.reset();
}

void TestProgram::startupListAndCopiesSavedOnSigterm() {
    const QString list = Dir->File("list.clp");
    TTestDir::Write(list, Clp({"one", "two"}));
    Install("[Options]\nSplash=0\nAutoSave=1\nRows=5\nDefaultFile=" + list.toUtf8() + "\n");
    XclipCopy("on the clipboard before start");
    const qint64 pid = Start(Main);
    QVERIFY(!WaitForWindow(pid, "Quillery").isEmpty());
    XclipCopy("A");
    QTest::qWait(300);
    XclipCopy("B");
    QTest::qWait(300);
    Stop(Main);
    QCOMPARE(TTestDir::Read(list), Clp({"B", "A", "one", "two"}));
    const TIniFile ini(Dir->File("Quillery.Ini"));
    QVERIFY(ini.ValueExists("Defaults", "Width"));
    QCOMPARE(ini.ReadString("Options", "DefaultFile", ""), list);
}

void TestProgram::closeWithTrayOffSavesToTempList() {
    Install("[Options]\nSplash=0\nAutoSave=1\nTray=0\n");
    const qint64 pid = Start(Main);
    const QString window = WaitForWindow(pid, "Quillery");
    QVERIFY(!window.isEmpty());
    XclipCopy("kept in a temporary list");
    QTest::qWait(300);
    Run("wmctrl", {"-i", "-c", window});
    QVERIFY(Main.waitForFinished(10000));
    QCOMPARE(Main.exitCode(), 0);
    QCOMPARE(TTestDir::Read(Dir->File("qlry0001.Clp")), Clp({"kept in a temporary list"}));
}

void TestProgram::closeWithTrayOnKeepsRunning() {
    // Without Auto Save, so that only the closing could have written the list.
    Install("[Options]\nSplash=0\nAutoSave=0\nTray=1\n");
    const qint64 pid = Start(Main);
    const QString window = WaitForWindow(pid, "Quillery");
    QVERIFY(!window.isEmpty());
    XclipCopy("still recorded");
    QTest::qWait(300);
    Run("wmctrl", {"-i", "-c", window});
    QVERIFY(!Main.waitForFinished(1500));
    QVERIFY(!QFile::exists(Dir->File("qlry0001.Clp")));
    XclipCopy("after closing to the tray");
    QTest::qWait(300);
    Stop(Main);
    QCOMPARE(TTestDir::Read(Dir->File("qlry0001.Clp")),
             Clp({"after closing to the tray", "still recorded"}));
}

void TestProgram::secondCopyAnsweredNo() {
    Install("[Options]\nSplash=0\n");
    const QByteArray settings = TTestDir::Read(Dir->File("Quillery.Ini"));
    QVERIFY(!WaitForWindow(Start(Main), "Quillery").isEmpty());
    const qint64 secondPid = Start(Second);
    const QString question = WaitForWindow(secondPid, "Confirm");
    QVERIFY2(!question.isEmpty(), "the second copy must ask first");
    Run("xdotool", {"windowactivate", "--sync", question});
    Run("xdotool", {"key", "Escape"});
    QVERIFY(Second.waitForFinished(5000));
    QCOMPARE(Second.exitCode(), 0);
    QCOMPARE(TTestDir::Read(Dir->File("Quillery.Ini")), settings);
    QVERIFY(Run("xdotool",
                {"search", "--all", "--pid", QString::number(secondPid), "--name", "^Quillery$"})
                .isEmpty());
    QCOMPARE(Main.state(), QProcess::Running);
    Stop(Main);
}

void TestProgram::secondCopyQuestionClosed() {
    // The window's close button is no No: the second copy goes on starting, as with Yes.
    Install("[Options]\nSplash=0\n");
    QVERIFY(!WaitForWindow(Start(Main), "Quillery").isEmpty());
    const qint64 secondPid = Start(Second);
    const QString question = WaitForWindow(secondPid, "Confirm");
    QVERIFY(!question.isEmpty());
    Run("wmctrl", {"-i", "-c", question});
    // Its first window: the message that the first copy holds the hot keys.
    QVERIFY(!WaitForWindow(secondPid, "Quillery").isEmpty());
    QCOMPARE(Second.state(), QProcess::Running);
    Stop(Main);
}

void TestProgram::rollUpAndBackByKeyboard() {
    Install("[Options]\nSplash=0\n[Defaults]\nHeight=300\n");
    const QString window = WaitForWindow(Start(Main), "Quillery");
    QVERIFY(!window.isEmpty());
    auto height = [&] {
        const QByteArray geometry = Run("xdotool", {"getwindowgeometry", window});
        return geometry.mid(geometry.lastIndexOf('x') + 1).trimmed().toInt();
    };
    Run("xdotool", {"windowactivate", "--sync", window});
    Run("xdotool", {"key", "ctrl+r"});
    QTRY_VERIFY_WITH_TIMEOUT(height() < 34, 3000);
    Run("xdotool", {"key", "ctrl+r"});
    QTRY_COMPARE_WITH_TIMEOUT(height(), 300, 3000);
    Stop(Main);
}

void TestProgram::sigtermEndsWhenSettingsCannotBeWritten() {
    // The list is saved; settings that cannot be written must not keep the program alive.
    QVERIFY(QDir().mkdir(Dir->File("Quillery.Ini")));
    const qint64 pid = Start(Main);
    QVERIFY(!WaitForWindow(pid, "Quillery").isEmpty());
    XclipCopy("kept");
    QTest::qWait(300);
    Stop(Main);
    QCOMPARE(TTestDir::Read(Dir->File("qlry0001.Clp")), Clp({"kept"}));
}

void TestProgram::twoProgramsEndingTogetherKeepBothLists() {
    Install("[Options]\nSplash=0\nAutoSave=1\n");
    const qint64 first = Start(Main);
    QVERIFY(!WaitForWindow(first, "Quillery").isEmpty());
    const qint64 second = Start(Second);
    const QString question = WaitForWindow(second, "Confirm");
    QVERIFY(!question.isEmpty());
    Run("xdotool", {"windowactivate", "--sync", question});
    Run("xdotool", {"key", "Return"}); // Yes
    // The first program holds the hot keys: the second says so for each, then starts.
    for (int box = 0; box < 2; ++box) {
        const QString message = WaitForWindow(second, "Quillery");
        QVERIFY(!message.isEmpty());
        Run("xdotool", {"windowactivate", "--sync", message});
        Run("xdotool", {"key", "Return"});
        QTest::qWait(300);
    }
    QTRY_VERIFY_WITH_TIMEOUT(Visible(second, "Quillery"), 5000);
    XclipCopy("both");
    QTest::qWait(500);
    ::kill(pid_t(first), SIGTERM);
    ::kill(pid_t(second), SIGTERM);
    QVERIFY(Main.waitForFinished(10000));
    QVERIFY(Second.waitForFinished(10000));
    QCOMPARE(TTestDir::Read(Dir->File("qlry0001.Clp")), Clp({"both"}));
    QCOMPARE(TTestDir::Read(Dir->File("qlry0002.Clp")), Clp({"both"}));
}

void TestProgram::openCopyZoomEditAndAutoSaveByKeyboard() {
    QDir().mkdir(Dir->File("lists"));
    const QString list = Dir->File("lists/work.clp");
    TTestDir::Write(list, Clp({"first", "second"}));
    Install("[Options]\nSplash=0\nAutoSave=1\nPromptSave=0\nRows=4\n");
    const qint64 pid = Start(Main);
    const QString window = WaitForWindow(pid, "Quillery");
    QVERIFY(!window.isEmpty());
    Run("xdotool", {"windowactivate", "--sync", window});
    Run("xdotool", {"key", "ctrl+o"});
    QVERIFY(!WaitForWindow(pid, ".*[Oo]pen.*").isEmpty());
    QTest::qWait(300);
    Run("xdotool", {"type", "--delay", "5", list});
    Run("xdotool", {"key", "Return"});
    QTest::qWait(500);
    XclipCopy("copied elsewhere");
    QTest::qWait(300);
    Run("xdotool", {"windowactivate", "--sync", window});
    Run("xdotool", {"key", "ctrl+Prior"}); // the current row, 0: the copy
    QTest::qWait(300);
    Run("xdotool", {"key", "ctrl+End"});
    Run("xdotool", {"type", "--delay", "5", " and edited"});
    Run("xdotool", {"key", "ctrl+Next"});
    QTest::qWait(300);
    Stop(Main);
    QCOMPARE(TTestDir::Read(list), Clp({"copied elsewhere and edited", "first", "second"}));
    const QStringList lists = QDir(Dir->Path()).entryList({"*.clp"}, QDir::Files);
    QVERIFY2(lists.isEmpty(), qPrintable(lists.join(' '))); // no other file written
}

namespace {
QByteArray XclipOut() {
    return Run("xclip", {"-selection", "clipboard", "-o"});
}
} // namespace

void TestProgram::selectClipAndSelectAllReachTheClipboard() {
    Install("[Options]\nSplash=0\nAutoSave=1\nRows=3\n");
    const qint64 pid = Start(Main);
    const QString window = WaitForWindow(pid, "Quillery");
    QVERIFY(!window.isEmpty());
    for (const char* clip : {"one", "two x"}) {
        XclipCopy(clip);
        QTest::qWait(300);
    }
    Run("xdotool", {"windowactivate", "--sync", window});
    Run("xdotool", {"key", "Down", "ctrl+l"});
    QTRY_COMPARE_WITH_TIMEOUT(XclipOut(), QByteArray("one"), 3000);
    Run("xdotool", {"key", "ctrl+a"});
    QTRY_COMPARE_WITH_TIMEOUT(XclipOut(), QByteArray("two x\r\none"), 3000); // xclip trims
    Stop(Main);
    // The program's own writes added no clip.
    QCOMPARE(TTestDir::Read(Dir->File("qlry0001.Clp")), Clp({"two x", "one"}));
}

void TestProgram::replaceAllThroughTheDialog() {
    Install("[Options]\nSplash=0\nAutoSave=1\nRows=3\n");
    const qint64 pid = Start(Main);
    const QString window = WaitForWindow(pid, "Quillery");
    QVERIFY(!window.isEmpty());
    for (const char* clip : {"a banana", "no fruit"}) {
        XclipCopy(clip);
        QTest::qWait(300);
    }
    Run("xdotool", {"windowactivate", "--sync", window});
    Run("xdotool", {"key", "alt+e", "r"}); // Edit > Find and Replace
    const QString dialog = WaitForWindow(pid, "Replace");
    QVERIFY(!dialog.isEmpty());
    Run("xdotool", {"windowactivate", "--sync", dialog});
    Run("xdotool", {"type", "--delay", "5", "an"});
    Run("xdotool", {"key", "Tab"});
    Run("xdotool", {"type", "--delay", "5", "AN"});
    Run("xdotool", {"key", "alt+a", "Escape"});
    QTest::qWait(300);
    Stop(Main);
    QCOMPARE(TTestDir::Read(Dir->File("qlry0001.Clp")), Clp({"no fruit", "a bANANa"}));
}

void TestProgram::oldAutostartEntryBecomesOurs() {
    QDir().mkpath(Dir->File("config/autostart"));
    TTestDir::Write(Dir->File("config/autostart/Tavrin.desktop"),
                    "[Desktop Entry]\nType=Application\nName=Tavrin\nExec=/old/tavrin\n");
    Install("[Options]\nSplash=0\n");
    const qint64 pid = Start(Main);
    QVERIFY(!WaitForWindow(pid, "Quillery").isEmpty());
    QVERIFY(!QFile::exists(Dir->File("config/autostart/Tavrin.desktop")));
    const QByteArray entry = TTestDir::Read(Dir->File("config/autostart/Quillery.desktop"));
    QVERIFY2(entry.contains("Exec=\"" + Dir->File("quillery").toUtf8() + "\""), entry.constData());
    Stop(Main);
}

// The options dialog driven by keys ticks "Associate CLP Files"; then the desktop opens a
// .clp file as a file manager does (gio), through the entries the program wrote.
void TestProgram::associatedByKeysThenOpenedByTheDesktop() {
    if (QStandardPaths::findExecutable("gio").isEmpty())
        QSKIP("gio is not installed");
    Install("[Options]\nSplash=0\nTray=0\nPromptSave=0\n");
    const qint64 pid = Start(Main);
    const QString window = WaitForWindow(pid, "Quillery");
    QVERIFY(!window.isEmpty());
    Run("xdotool", {"windowactivate", "--sync", window});
    Run("xdotool", {"key", "alt+v", "p"});
    const QString dialog = WaitForWindow(pid, "Change Configuration.*");
    QVERIFY(!dialog.isEmpty());
    QTest::qWait(200);
    // From OK: Cancel, then the program options down to "Associate CLP Files".
    for (int i = 0; i < 8; ++i)
        Run("xdotool", {"key", "Tab"});
    Run("xdotool", {"key", "space", "Return"});
    QTRY_VERIFY_WITH_TIMEOUT(TTestDir::Read(Dir->File("Quillery.Ini")).contains("Associate=1"),
                             5000);
    QVERIFY(QFile::exists(Dir->File("data/applications/Quillery.desktop")));
    Stop(Main);

    const QString list = Dir->File("opened list.clp");
    TTestDir::Write(list, Clp({"from", "the file"}));
    QProcess gio;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"XDG_RUNTIME_DIR", "XDG_DATA_HOME", "XDG_CONFIG_HOME"})
        env.insert(name, Main.processEnvironment().value(name));
    gio.setProcessEnvironment(env);
    gio.start("gio", {"open", list});
    QVERIFY(gio.waitForFinished(10000));
    QCOMPARE(gio.exitCode(), 0);
    const QString opened = WaitForWindow(0, "Quillery");
    QVERIFY(!opened.isEmpty());
    const pid_t openedPid = Run("xdotool", {"getwindowpid", opened}).toInt();
    QVERIFY(openedPid > 0);
    Run("xdotool", {"windowactivate", "--sync", opened});
    Run("xdotool", {"key", "ctrl+a"}); // Select All: the whole list on the clipboard
    QTRY_COMPARE_WITH_TIMEOUT(Run("xclip", {"-selection", "clipboard", "-o"}),
                              QByteArray("from\r\nthe file"), 3000);
    ::kill(openedPid, SIGTERM);
    QTRY_VERIFY_WITH_TIMEOUT(::kill(openedPid, 0) != 0, 10000);
}

void TestProgram::f1OpensTheHelpContents() {
    QVERIFY(QDir().mkpath(Dir->File("help")));
    for (const QString& page : QDir(QUILLERY_BIN_DIR "/help").entryList({"*.html"}))
        QVERIFY(QFile::copy(QUILLERY_BIN_DIR "/help/" + page, Dir->File("help/" + page)));
    Install("[Options]\nSplash=0\n");
    const qint64 pid = Start(Main);
    const QString window = WaitForWindow(pid, "Quillery");
    QVERIFY(!window.isEmpty());
    Run("xdotool", {"windowactivate", "--sync", window});
    Run("xdotool", {"key", "F1"});
    QVERIFY(!WaitForWindow(pid, "Help: Contents.*").isEmpty());
    Stop(Main);
}

// Killed outright two seconds after a copy: the list file holds it, whole.
void TestProgram::autoSavedCopiesSurviveKill9() {
    const QString list = Dir->File("work.clp");
    TTestDir::Write(list, Clp({"older"}));
    Install("[Options]\nSplash=0\nAutoSave=1\nRows=5\nDefaultFile=" + list.toUtf8() + "\n");
    const qint64 pid = Start(Main);
    QVERIFY(!WaitForWindow(pid, "Quillery").isEmpty());
    XclipCopy("must survive");
    QTest::qWait(2000);
    ::kill(pid_t(pid), SIGKILL);
    QVERIFY(Main.waitForFinished(5000));
    QCOMPARE(TTestDir::Read(list), Clp({"must survive", "older"}));
}

void TestProgram::aSignalDuringAStartUpBoxEndsCleanly_data() {
    QTest::addColumn<QString>("box");
    QTest::newRow("no desktop entry can name the program's path") << "line break";
    QTest::newRow("another copy is running") << "second copy";
    QTest::newRow("the list named on the command line cannot be read") << "unreadable list";
}

// A box waits at start for an answer that never comes: the end of the session ends the
// program cleanly, with what it recorded meanwhile saved.
void TestProgram::aSignalDuringAStartUpBoxEndsCleanly() {
    QFETCH(QString, box);
    Install("[Options]\nSplash=0\nAutoSave=0\nPromptSave=1\n");
    QString caption = "Exception";
    QProcess& process = box == "second copy" ? Second : Main;
    if (box == "line break") {
        // An old autostart entry to be made ours names the program's path.
        QDir().mkpath(Dir->File("config/autostart"));
        TTestDir::Write(Dir->File("config/autostart/Tavrin.desktop"),
                        "[Desktop Entry]\nType=Application\nName=Tavrin\nExec=/old/tavrin\n");
        const QString folder = Dir->File("line\nbreak");
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::copy(QUILLERY_BIN_DIR "/quillery", folder + "/quillery"));
        TTestDir::Write(folder + "/Quillery.Ini", "[Options]\nSplash=0\n");
        Main.setProcessEnvironment(QuilleryEnvironment(*Dir));
        Main.start(folder + "/quillery", {});
        QVERIFY(Main.waitForStarted());
    } else if (box == "second copy") {
        QVERIFY(!WaitForWindow(Start(Main), "Quillery").isEmpty());
        Start(Second);
        caption = "Confirm";
    } else {
        QVERIFY(QDir().mkdir(Dir->File("folder.clp"))); // a name that is no file
        StartQuillery(Main, *Dir, QByteArray(), Dir->File("folder.clp").toUtf8());
        caption = "Quillery";
    }
    const QString shown = WaitForWindow(process.processId(), caption);
    QVERIFY(!shown.isEmpty());
    XclipCopy("copied while the box waits");
    QTest::qWait(300);
    Stop(process);
    if (box == "unreadable list")
        QCOMPARE(TTestDir::Read(Dir->File("qlry0001.Clp")), Clp({"copied while the box waits"}));
    if (box == "second copy")
        Stop(Main);
}

QTEST_MAIN(TestProgram)
#include "tst_Program.moc"
