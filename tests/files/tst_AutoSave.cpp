#include "core/Errors.h"
#include "core/files/ClipListFile.h"
#include "fakes/FormFixture.h"
#include "gui/files/AutoSave.h"
#include "gui/grid/ZoomView.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QtTest>

namespace {
QStringList TempLists(const TTestDir& dir) {
    return QDir(dir.Path()).entryList({"qlry*.Clp"}, QDir::Files);
}
} // namespace

class TestAutoSave : public QObject {
    Q_OBJECT
private slots:
    void changesReachTheFileSoon();
    void nothingWrittenWithAutoSaveOff();
    void aListWithoutFileKeepsOneTemporaryList();
    void aFileReadInPartIsNeverReplaced();
    void aFailedWriteIsSaidAndTriedAgain();
    void eachListKeepsItsOwnTemporaryList();
    void aFileNamedInTheOptionsIsNotReplaced();
    void editsReachTheFile_data();
    void editsReachTheFile();
    void saveKeepsTheWindowAnswering();
    void failedSaveIsReportedAsBefore();
    void aClipTakenDuringAWriteIsKept_data();
    void aClipTakenDuringAWriteIsKept();
    void aFullDiskIsLeftAndSaid_data();
    void aFullDiskIsLeftAndSaid();
};

// A burst of copies reaches the list's file within two seconds, in a few writes.
void TestAutoSave::changesReachTheFileSoon() {
    TFormFixture f;
    f.Settings.AutoSave = true;
    f.Settings.Rows = 100;
    f.Settings.DefaultFile = f.Dir.File("work.clp");
    TTestDir::Write(f.Settings.DefaultFile, Clp({"old"}));
    auto& form = f.Create();
    QList<QByteArray> clips = {"old"};
    for (int i = 0; i < 60; ++i) {
        const QByteArray clip = "copy " + QByteArray::number(i);
        f.Clipboard.CopyFromOtherProgram(clip);
        clips.prepend(clip);
        if (i % 20 == 0)
            QTest::qWait(30);
    }
    QElapsedTimer clock;
    clock.start();
    QTRY_COMPARE_WITH_TIMEOUT(TTestDir::Read(f.Settings.DefaultFile), Clp(clips), 2000);
    QTRY_VERIFY(!form.ListChanged); // once the end of the write is known
    // Nothing more to write: no further writes.
    QTest::qWait(TAutoSave::Interval + 200);
    const int saves = form.AutoSave->Saves();
    QVERIFY(saves <= 3); // bursts share their writes
    QTest::qWait(2 * TAutoSave::Interval + 200);
    QCOMPARE(form.AutoSave->Saves(), saves);
    QVERIFY(TempLists(f.Dir).isEmpty());
}

void TestAutoSave::nothingWrittenWithAutoSaveOff() {
    TFormFixture f;
    f.Settings.AutoSave = false;
    f.Settings.DefaultFile = f.Dir.File("work.clp");
    TTestDir::Write(f.Settings.DefaultFile, Clp({"old"}));
    auto& form = f.Create();
    f.Clipboard.CopyFromOtherProgram("new");
    QTest::qWait(2 * TAutoSave::Interval + 200);
    QCOMPARE(TTestDir::Read(f.Settings.DefaultFile), Clp({"old"}));
    QVERIFY(TempLists(f.Dir).isEmpty());
    QCOMPARE(form.AutoSave->Saves(), 0);
    QVERIFY(form.ListChanged);
}

// Written to one temporary list, which the save at exit takes too.
void TestAutoSave::aListWithoutFileKeepsOneTemporaryList() {
    TFormFixture f;
    f.Settings.AutoSave = true;
    f.Settings.Rows = 3;
    auto& form = f.Create();
    f.Clipboard.CopyFromOtherProgram("one");
    QTRY_COMPARE_WITH_TIMEOUT(TTestDir::Read(f.Dir.File("qlry0001.Clp")), Clp({"one"}), 2000);
    f.Clipboard.CopyFromOtherProgram("two");
    QTRY_COMPARE_WITH_TIMEOUT(TTestDir::Read(f.Dir.File("qlry0001.Clp")), Clp({"two", "one"}),
                              2000);
    f.Clipboard.CopyFromOtherProgram("three");
    form.ExitSaveStep(false);
    QCOMPARE(TTestDir::Read(f.Dir.File("qlry0001.Clp")), Clp({"three", "two", "one"}));
    QCOMPARE(TempLists(f.Dir), QStringList{"qlry0001.Clp"});
    QVERIFY(f.Settings.DefaultFile.isEmpty()); // a temporary list never becomes the list's file
}

void TestAutoSave::aFileReadInPartIsNeverReplaced() {
    TFormFixture f;
    f.Settings.AutoSave = true;
    f.Settings.Rows = 2;
    const QString big = f.Dir.File("big.clp");
    TTestDir::Write(big, Clp({"a", "b", "c", "d"}));
    f.Settings.DefaultFile = big;
    auto& form = f.Create();
    QVERIFY(form.IsPartialRead(big));
    f.Clipboard.CopyFromOtherProgram("new");
    QTRY_COMPARE_WITH_TIMEOUT(TTestDir::Read(f.Dir.File("qlry0001.Clp")), Clp({"new", "a"}), 2000);
    QCOMPARE(TTestDir::Read(big), Clp({"a", "b", "c", "d"}));
}

// The list's file cannot be written: the error is said, and the list goes to a temporary
// list, which the status line names; a Save that works makes the file the target again.
void TestAutoSave::aFailedWriteIsSaidAndTriedAgain() {
    TFormFixture f;
    f.Settings.AutoSave = true;
    f.Settings.DefaultFile = f.Dir.File("gone/work.clp"); // a folder that does not exist
    auto& form = f.Create();
    f.Clipboard.CopyFromOtherProgram("kept");
    QTRY_VERIFY_WITH_TIMEOUT(form.AutoSave->Saves() >= 1, 2500);
    QTRY_COMPARE_WITH_TIMEOUT(TTestDir::Read(f.Dir.File("qlry0001.Clp")), Clp({"kept"}), 2500);
    QTRY_VERIFY_WITH_TIMEOUT(form.pnlStatus->text().contains("qlry0001.Clp"), 2500);
    QVERIFY(form.pnlStatus->text().contains("work.clp")); // said on the status line
    QVERIFY(f.Prompts.Shown.isEmpty());                   // no box every second
    QVERIFY(!form.ListChanged);
    QVERIFY(QDir().mkpath(f.Dir.File("gone")));
    form.SaveClipList1Click();
    f.Clipboard.CopyFromOtherProgram("later");
    QTRY_COMPARE_WITH_TIMEOUT(TTestDir::Read(f.Settings.DefaultFile), Clp({"later", "kept"}), 2500);
    QCOMPARE(TTestDir::Read(f.Dir.File("qlry0001.Clp")), Clp({"kept"}));
}

// A temporary list holds one list: a list opened or begun later gets another.
void TestAutoSave::eachListKeepsItsOwnTemporaryList() {
    TFormFixture f;
    f.Settings.AutoSave = true;
    f.Settings.Rows = 3;
    auto& form = f.Create();
    f.Clipboard.CopyFromOtherProgram("one");
    f.Clipboard.CopyFromOtherProgram("two");
    const QByteArray first = Clp({"two", "one"});
    QTRY_COMPARE_WITH_TIMEOUT(TTestDir::Read(f.Dir.File("qlry0001.Clp")), first, 2000);
    TTestDir::Write(f.Dir.File("other.clp"), Clp({"other"}));
    f.Prompts.Files.enqueue(f.Dir.File("other.clp"));
    form.OpenClipList1Click();
    QCOMPARE(f.Prompts.Shown.size(), 1); // the open dialog: Auto Save left nothing to ask
    form.NewClipList1Click();
    f.Clipboard.CopyFromOtherProgram("three");
    QTRY_COMPARE_WITH_TIMEOUT(TTestDir::Read(f.Dir.File("qlry0002.Clp")), Clp({"three"}), 2000);
    form.ExitSaveStep(false);
    QCOMPARE(TTestDir::Read(f.Dir.File("qlry0001.Clp")), first);
    QCOMPARE(TTestDir::Read(f.Dir.File("other.clp")), Clp({"other"}));
}

// Pointing the list at another list's file in the options: Auto Save and the exit save write a
// temporary list, and Save asks first.
void TestAutoSave::aFileNamedInTheOptionsIsNotReplaced() {
    TFormFixture f;
    f.Settings.AutoSave = true;
    auto& form = f.Create();
    const QString other = f.Dir.File("other.clp");
    TTestDir::Write(other, Clp({"precious"}));
    f.Settings.DefaultFile = other;
    form.ListFileNamed(QString());
    f.Clipboard.CopyFromOtherProgram("new");
    QTRY_COMPARE_WITH_TIMEOUT(TTestDir::Read(f.Dir.File("qlry0001.Clp")), Clp({"new"}), 2000);
    f.Clipboard.CopyFromOtherProgram("newer");
    form.ExitSaveStep(false);
    QCOMPARE(TTestDir::Read(other), Clp({"precious"}));
    QCOMPARE(TTestDir::Read(f.Dir.File("qlry0001.Clp")), Clp({"newer", "new"}));
    QVERIFY(f.Settings.LastExitNote.contains("qlry0001.Clp"));
    f.Prompts.Answers.enqueue(TAnswer::Cancel);
    form.SaveClipList1Click();
    QCOMPARE(f.Prompts.Shown.size(), 1);
    QVERIFY(f.Prompts.Shown[0].Text.contains("was not read from"));
    QCOMPARE(TTestDir::Read(other), Clp({"precious"}));
    f.Prompts.Answers.enqueue(TAnswer::Ok);
    form.SaveClipList1Click();
    QCOMPARE(TTestDir::Read(other), Clp({"newer", "new"}));
}

void TestAutoSave::editsReachTheFile_data() {
    QTest::addColumn<QString>("where");
    QTest::newRow("in the zoom view, still open") << "zoom";
    QTest::newRow("in the cell editor, no focus change") << "cell";
}

// An edit is a change like a copy: it reaches the file within the Auto Save second.
void TestAutoSave::editsReachTheFile() {
    QFETCH(QString, where);
    TFormFixture f;
    f.Settings.AutoSave = true;
    f.Settings.GridEdit = true;
    f.Settings.DefaultFile = f.Dir.File("work.clp");
    TTestDir::Write(f.Settings.DefaultFile, Clp({"clip"}));
    auto& form = f.Create();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    if (where == "zoom") {
        form.CurrentRow = 0;
        form.ZoomIn();
        form.Memo1->moveCursor(QTextCursor::End);
        QTest::keyClicks(form.Memo1, "!");
    } else {
        const QModelIndex cell = form.StringGrid1->Model().index(0, 1);
        form.StringGrid1->setCurrentIndex(cell);
        form.StringGrid1->edit(cell);
        auto* editor = qobject_cast<QPlainTextEdit*>(form.StringGrid1->indexWidget(cell));
        QVERIFY(editor);
        editor->moveCursor(QTextCursor::End);
        QTest::keyClicks(editor, "!");
        QTest::keyClick(editor, Qt::Key_Return);
    }
    QTRY_COMPARE_WITH_TIMEOUT(TTestDir::Read(f.Settings.DefaultFile), Clp({"clip!"}), 2500);
    if (where == "zoom") {
        form.ZoomOut();
        QCOMPARE(form.ClipAt(0), QByteArray("clip!"));
    }
}

// Save writes a 100 MB list on the worker: the window's timers run meanwhile, and a copy that
// comes then is in the list, not in the file, and still to be saved.
void TestAutoSave::saveKeepsTheWindowAnswering() {
    TFormFixture f;
    f.Settings.Rows = 3;
    f.Settings.DefaultFile = f.Dir.File("big.clp");
    auto& form = f.Create();
    form.SetClipAt(0, QByteArray(100 << 20, 'x'));
    int ticks = 0;
    QTimer meanwhile;
    meanwhile.setInterval(1);
    connect(&meanwhile, &QTimer::timeout, this, [&] {
        if (++ticks == 1)
            f.Clipboard.CopyFromOtherProgram("copied during the save");
    });
    meanwhile.start();
    form.SaveClipList1Click();
    meanwhile.stop();
    QVERIFY(ticks > 0);
    QCOMPARE(QFileInfo(f.Settings.DefaultFile).size(), (100 << 20) + 5); // the one record
    QCOMPARE(form.ClipAt(0), QByteArray("copied during the save"));
    QVERIFY(form.ListChanged);
}

// A write that fails on the worker is said as the same error, and the list stays changed.
void TestAutoSave::failedSaveIsReportedAsBefore() {
    TFormFixture f;
    TTestDir::Write(f.Dir.File("afile"), "");
    f.Settings.DefaultFile = f.Dir.File("afile/list.clp");
    QString expected;
    try {
        ClipListFile::Save(f.Settings.DefaultFile, {"clip"}, 1);
    } catch (const EQuillery& e) {
        expected = e.Message();
    }
    QVERIFY(!expected.isEmpty());
    auto& form = f.Create();
    f.Clipboard.CopyFromOtherProgram("clip");
    QVERIFY(!form.Guarded([&] { form.SaveClipList1Click(); }));
    QCOMPARE(f.Prompts.Shown.last(), (TScriptedPrompts::TShown{"error", {}, expected}));
    QVERIFY(form.ListChanged);
}

// Only a write that succeeded makes the list saved: whatever happens while one is under way,
// its clips end in a file, or the user is asked.
void TestAutoSave::aClipTakenDuringAWriteIsKept_data() {
    QTest::addColumn<QString>("meanwhile");
    QTest::newRow("New while an Auto Save write fails asks first") << "new";
    QTest::newRow("a termination while Save writes, and the write fails") << "terminate";
    QTest::newRow("a copy while the exit save writes") << "copy at exit";
}

void TestAutoSave::aClipTakenDuringAWriteIsKept() {
    QFETCH(QString, meanwhile);
    TFullDisk disk;
    TFormFixture f;
    f.Settings.AutoSave = meanwhile != "terminate";
    f.Settings.Tray = false;
    f.Settings.Rows = 3;
    f.Settings.DefaultFile =
        meanwhile == "copy at exit" ? f.Dir.File("list.clp") : f.Dir.File("afile/list.clp");
    TTestDir::Write(f.Dir.File("afile"), ""); // no folder: every write to the list fails
    auto& form = f.Create();
    QSignalSpy closed(&form, &TQuilleryMainForm::FormClosed);
    if (meanwhile == "new") {
        f.Clipboard.CopyFromOtherProgram("newest");
        // Right after the tick that starts the write, before its end is known.
        auto* timer = form.AutoSave->findChild<QTimer*>("AutoSaveTimer");
        bool asked = false;
        connect(timer, &QTimer::timeout, this, [&] {
            if (!std::exchange(asked, true)) {
                f.Prompts.Answers.enqueue(TAnswer::Cancel);
                form.NewClipList1Click();
            }
        });
        QTRY_VERIFY_WITH_TIMEOUT(asked, 3000);
        QVERIFY(f.Prompts.Shown.contains(TScriptedPrompts::TShown{
            "ask", "Confirmation", "Would you like to save your changes?"}));
        return;
    }
    if (meanwhile == "terminate") {
        if (!disk.Available())
            QSKIP("a private tmpfs needs root");
        f.Settings.DefaultFile = disk.File("list.clp"); // full: the write fails as it goes
        form.SetClipAt(0, QByteArray(50 << 20, 't'));
        form.ListChanged = true;
        QTimer::singleShot(0, &form, [&] { form.Terminate(); });
        form.Guarded([&] { form.SaveClipList1Click(); });
        QTRY_COMPARE_WITH_TIMEOUT(closed.size(), 1, 10000);
        const QStringList kept = TempLists(f.Dir);
        QCOMPARE(kept.size(), 1);
        QCOMPARE(QFileInfo(f.Dir.File(kept[0])).size(), (50 << 20) + 5);
        return;
    }
    // A large list, so that the window turns while it is written at exit: the timer's first
    // turn comes inside the exit save.
    form.SetClipAt(0, QByteArray(100 << 20, 'x'));
    form.ListChanged = true;
    int ticks = 0;
    QTimer copier;
    copier.setInterval(1);
    connect(&copier, &QTimer::timeout, this, [&] {
        if (++ticks == 1)
            f.Clipboard.CopyFromOtherProgram("copied during the exit save");
    });
    copier.start();
    form.close();
    copier.stop();
    QCOMPARE(closed.size(), 1);
    QVERIFY(ticks > 0);
    QList<QByteArray> saved(3);
    ClipListFile::Load(f.Settings.DefaultFile, saved, false, 3);
    QCOMPARE(saved.value(0), QByteArray("copied during the exit save"));
}

void TestAutoSave::aFullDiskIsLeftAndSaid_data() {
    QTest::addColumn<QString>("then");
    QTest::newRow("the disk gets room: the own file is written again") << "room";
    QTest::newRow("still full at exit: said then and at the next start") << "exit";
    QTest::newRow("the lists' folder is full too: the next folder, no empty name left")
        << "folder full";
}

// The list's own file is on a full disk: the list goes on in a temporary list, its own file is
// written again once there is room, and an end while it is behind says where the list is.
void TestAutoSave::aFullDiskIsLeftAndSaid() {
    QFETCH(QString, then);
    TFullDisk disk;
    if (!disk.Available())
        QSKIP("a private tmpfs needs root");
    TTestDir home;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", home.Path().toLocal8Bit());
    auto restore = qScopeGuard([&] { qputenv("HOME", oldHome); });
    TFormFixture f;
    f.Settings.AutoSave = true;
    f.Settings.Rows = 3;
    const QString own = disk.File("list.clp");
    disk.LeaveRoomFor("list.clp", Clp({"old"}));
    f.Settings.DefaultFile = own;
    TProgramFolders folders = TProgramFolders::Portable(f.Dir.Path());
    if (then == "folder full")
        folders.Data = disk.File("");
    f.Form = std::make_unique<TQuilleryMainForm>(
        folders, TPlatform{f.Clipboard, f.Sound, f.Prompts, f.HotKeys, f.PasteTarget, f.Shell});
    auto& form = *f.Form;
    f.Clipboard.CopyFromOtherProgram(QByteArray(8 << 10, 'n'));
    const QByteArray list = Clp({QByteArray(8 << 10, 'n'), "old"});
    const QString temp = (then == "folder full" ? home : f.Dir).File("qlry0001.Clp");
    QTRY_COMPARE_WITH_TIMEOUT(TTestDir::Read(temp), list, 4000);
    QCOMPARE(TTestDir::Read(own), Clp({"old"}));
    QVERIFY(
        QDir(disk.File("")).entryList({"qlry*", ".qlry*"}, QDir::Files | QDir::Hidden).isEmpty());
    if (then == "room") {
        QFile::remove(disk.File("filler"));
        QTRY_COMPARE_WITH_TIMEOUT(TTestDir::Read(own), list, TAutoSave::RetryOwnFile + 3000);
        QTRY_COMPARE(form.pnlStatus->text(),
                     QString("The clip list is saved to %1 again.").arg(own));
        form.ExitSaveStep(false);
        QVERIFY(f.Settings.LastExitNote.isEmpty());
        return;
    }
    form.ExitSaveStep(false);
    QCOMPARE(TTestDir::Read(own), Clp({"old"}));
    QCOMPARE(TTestDir::Read(temp), list);
    const QString note = f.Settings.LastExitNote;
    QCOMPARE(note,
             QString("The clip list was saved to %1: %2 could not be written.").arg(temp, own));
    f.Create();
    QCOMPARE(f.Form->pnlStatus->text(), note);
}

QTEST_MAIN(TestAutoSave)
#include "tst_AutoSave.moc"
