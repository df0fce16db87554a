#include "core/config/IniFile.h"
#include "core/start/InstanceLock.h"
#include "core/start/TerminationSignals.h"
#include "fakes/FormFixture.h"

#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

#include <csignal>

class TestClosing : public QObject {
    Q_OBJECT
private slots:
    void closeButton_data();
    void closeButton();
    void exitCloses();
    void failedSettingsSaveStillEnds();
    void failedListSaveKeepsRunning();
    void sessionEndSavesWithoutAsking();
    void terminationWhileABoxIsUp_data();
    void terminationWhileABoxIsUp();
    void instanceLock();
    void terminationSignalArrivesAsEvent();
};

void TestClosing::closeButton_data() {
    QTest::addColumn<bool>("tray");
    QTest::addColumn<bool>("closes");
    QTest::newRow("tray off: ends and saves") << false << true;
    QTest::newRow("tray on: stays, saves nothing") << true << false;
}

void TestClosing::closeButton() {
    QFETCH(bool, tray);
    QFETCH(bool, closes);
    TFormFixture f;
    f.Settings.Tray = tray;
    f.Settings.AutoSave = true;
    auto& form = f.Create();
    form.show();
    f.Clipboard.CopyFromOtherProgram("changed");
    QSignalSpy closed(&form, &TQuilleryMainForm::FormClosed);
    QCOMPARE(form.close(), closes);
    QCOMPARE(closed.size(), closes ? 1 : 0);
    QCOMPARE(QFile::exists(f.Settings.IniFileName()), closes);
    QCOMPARE(QFile::exists(f.Dir.File("qlry0001.Clp")), closes);
    QCOMPARE(f.Settings.Minimized, tray);
}

void TestClosing::exitCloses() {
    TFormFixture f;
    f.Settings.Tray = true;
    auto& form = f.Create();
    form.show();
    QVERIFY(f.Settings.Left != 40 && f.Settings.Top != 50);
    form.move(40, 50);
    form.resize(300, 260);
    QSignalSpy closed(&form, &TQuilleryMainForm::FormClosed);
    form.Exit1->trigger();
    QCOMPARE(closed.size(), 1);
    QVERIFY(form.CloseAllowed);
    const TIniFile ini(f.Settings.IniFileName());
    QCOMPARE(ini.ReadInteger("Defaults", "Width", 0), 300);
    QCOMPARE(ini.ReadInteger("Defaults", "Height", 0), 260);
    QCOMPARE(ini.ReadInteger("Defaults", "Left", 0), 40);
    QCOMPARE(ini.ReadInteger("Defaults", "Top", 0), 50);
}

void TestClosing::failedSettingsSaveStillEnds() {
    // The list is safe: settings that cannot be written are reported, and the program ends.
    TFormFixture f;
    f.Settings.Tray = false;
    auto& form = f.Create();
    QDir().mkdir(f.Settings.IniFileName()); // a folder where the settings file belongs
    QSignalSpy closed(&form, &TQuilleryMainForm::FormClosed);
    QVERIFY(form.close());
    QCOMPARE(closed.size(), 1);
    QCOMPARE(f.Prompts.Shown.size(), 1);
    QCOMPARE(f.Prompts.Shown[0].Kind, "error");
    QCOMPARE(f.Prompts.Shown[0].Text, "Unable to write to " + f.Settings.IniFileName());
}

void TestClosing::failedListSaveKeepsRunning() {
    TFormFixture f;
    f.Settings.Tray = false;
    f.Settings.AutoSave = true;
    f.Settings.DefaultFile = f.Dir.File("gone/list.clp"); // its folder does not exist
    auto& form = f.Create();
    f.Clipboard.CopyFromOtherProgram("unsaved");
    QSignalSpy closed(&form, &TQuilleryMainForm::FormClosed);
    QVERIFY(!form.close());
    QCOMPARE(closed.size(), 0);
    QCOMPARE(f.Prompts.Shown.size(), 1);
    QCOMPARE(f.Prompts.Shown[0].Kind, "error");
    QVERIFY(form.ListChanged);
    QCOMPARE(f.HotKeys.Registered.keys(), (QList<int>{11, 12})); // registered again
    f.Clipboard.CopyFromOtherProgram("still capturing");
    QCOMPARE(form.ClipAt(0), QByteArray("still capturing"));
}

void TestClosing::sessionEndSavesWithoutAsking() {
    TFormFixture f;
    f.Settings.Tray = true; // a session's end closes whatever Tray says
    f.Settings.PromptSave = true;
    f.Settings.AutoSave = false;
    auto& form = f.Create();
    f.Clipboard.CopyFromOtherProgram("logged out with this");
    QSignalSpy closed(&form, &TQuilleryMainForm::FormClosed);
    QVERIFY(form.EndSession(false));
    QCOMPARE(closed.size(), 1);
    QVERIFY(f.Prompts.Shown.isEmpty());
    QCOMPARE(TTestDir::Read(f.Dir.File("qlry0001.Clp")),
             QByteArray("logged out with this\r\n\x0c\r\n"));
}

void TestClosing::terminationWhileABoxIsUp_data() {
    QTest::addColumn<bool>("autoSave");
    QTest::addColumn<QString>("file"); // the list's own file, in the program folder
    QTest::newRow("the exit question") << false << "list.clp";
    QTest::newRow("the error box of a failed exit save") << true << "gone/list.clp";
    QTest::newRow("the save dialog of a list without a file") << false << "";
}

// A termination signal while a box waits at exit: the program ends at once, the list in a
// temporary list, the user's file as it was.
void TestClosing::terminationWhileABoxIsUp() {
    QFETCH(bool, autoSave);
    QFETCH(QString, file);
    TFormFixture f;
    f.Settings.Tray = false;
    f.Settings.AutoSave = autoSave;
    f.Settings.PromptSave = true;
    f.Settings.DefaultFile = file.isEmpty() ? QString() : f.Dir.File(file);
    if (file == "list.clp")
        TTestDir::Write(f.Settings.DefaultFile, "old\r\n\x0c\r\n");
    auto& form = f.Create();
    f.Clipboard.CopyFromOtherProgram("unsaved");
    if (file.isEmpty())
        f.Prompts.Answers.enqueue(TAnswer::Yes); // save: then the dialog is up
    f.Prompts.WhileShown = [&] {
        if (!file.isEmpty() || f.Prompts.Shown.last().Kind == "save")
            form.Terminate();
        else
            f.Prompts.WhileShown = [&] { form.Terminate(); };
    };
    QSignalSpy closed(&form, &TQuilleryMainForm::FormClosed);
    form.close();
    QTRY_COMPARE_WITH_TIMEOUT(closed.size(), 1, 2000);
    const QByteArray old = file == "list.clp" ? "old\r\n\x0c\r\n" : "";
    QCOMPARE(TTestDir::Read(f.Dir.File("qlry0001.Clp")), "unsaved\r\n\x0c\r\n" + old);
    if (file == "list.clp")
        QCOMPARE(TTestDir::Read(f.Settings.DefaultFile), QByteArray("old\r\n\x0c\r\n"));
    QVERIFY(QFile::exists(f.Settings.IniFileName()));
}

void TestClosing::instanceLock() {
    TTestDir dir;
    QByteArray held;
    {
        TInstanceLock first(dir.Path());
        QVERIFY(first.Acquire());
        TInstanceLock second(dir.Path());
        QVERIFY(!second.Acquire());
        held = TTestDir::Read(dir.File("QuilleryMutex.lock"));
    }
    // A lock left behind by a process that has ended (a crash) is taken over.
    QProcess gone;
    gone.start("sleep", {"0.1"});
    QVERIFY(gone.waitForStarted());
    const qint64 deadPid = gone.processId();
    QVERIFY(gone.waitForFinished());
    QVERIFY(held.startsWith(QByteArray::number(QCoreApplication::applicationPid()) + "\n"));
    held.replace(0, held.indexOf('\n'), QByteArray::number(deadPid));
    TTestDir::Write(dir.File("QuilleryMutex.lock"), held);
    TInstanceLock after(dir.Path());
    QVERIFY(after.Acquire());
    // An empty or garbled lock left behind names no owner: no program holds it.
    TTestDir other;
    for (const QByteArray& garbled : {QByteArray(), QByteArray("not a lock")}) {
        TTestDir::Write(other.File("QuilleryMutex.lock"), garbled);
        TInstanceLock lock(other.Path());
        QVERIFY(lock.Acquire());
    }
}

void TestClosing::terminationSignalArrivesAsEvent() {
    TTerminationSignals terminations;
    QSignalSpy requested(&terminations, &TTerminationSignals::Requested);
    ::raise(SIGTERM);
    QVERIFY(requested.wait(2000));
    ::raise(SIGHUP);
    QVERIFY(requested.wait(2000));
}

QTEST_MAIN(TestClosing)
#include "tst_Closing.moc"
