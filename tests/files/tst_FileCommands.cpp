#include "core/Errors.h"
#include "core/config/IniFile.h"
#include "fakes/FormFixture.h"
#include "gui/dialogs/FileDialogComponent.h"

#include <QLabel>
#include <QRandomGenerator>
#include <QtTest>
#include <sys/stat.h>

using Texts = QList<QByteArray>;

class TestFileCommands : public QObject {
    Q_OBJECT
private slots:
    void loadReplacesAndClearsFlags();
    void loadFailureLeavesListAlone();
    void startupLoadsTheCurrentFile_data();
    void startupLoadsTheCurrentFile();
    void saveWithoutFileAsksForName();
    void saveCancelledChangesNothing();
    void saveToExistingFileAsksNothing();
    void autoOpenFile_data();
    void autoOpenFile();
    void exitSave_data();
    void exitSave();
    void exitSaveWithAllTempNamesTaken();
    void openAndNew_data();
    void openAndNew();
    void fileNotReadWholeIsNeverReplacedSilently_data();
    void fileNotReadWholeIsNeverReplacedSilently();
};

void TestFileCommands::loadReplacesAndClearsFlags() {
    TFormFixture f;
    f.Settings.Rows = 3;
    auto& form = f.Create();
    f.Clipboard.CopyFromOtherProgram("captured");
    form.StringGrid1->InsertRow(1);
    TTestDir::Write(f.Dir.File("list.clp"), "a\r\n\x0c\r\nb\r\n\x0c\r\n");
    form.LoadFile(f.Dir.File("list.clp"), false);
    QCOMPARE(f.Clips(4), (Texts{"a", "b", "", ""}));
    QCOMPARE(form.StringGrid1->RowCount(), 4); // loading never changes the row count
    QCOMPARE(form.pnlStatus->text(), f.Dir.File("list.clp"));
    QVERIFY(!form.ListChanged);
    QVERIFY(!form.StringGrid1->Modified);
    form.LoadFile(f.Dir.File("list.clp"), true);
    QCOMPARE(f.Clips(4), (Texts{"a", "b", "a", ""}));
    QVERIFY(!form.ListChanged);
}

void TestFileCommands::loadFailureLeavesListAlone() {
    TFormFixture f;
    auto& form = f.Create();
    f.Clipboard.CopyFromOtherProgram("keep");
    QVERIFY_THROWS_EXCEPTION(EQuillery, form.LoadFile(f.Dir.File("missing.clp"), false));
    QCOMPARE(f.Clips(1), Texts{"keep"});
    QVERIFY(form.ListChanged);
    QCOMPARE(form.pnlStatus->text(), f.Dir.File("missing.clp"));
}

void TestFileCommands::startupLoadsTheCurrentFile_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<Texts>("clips");
    QTest::addColumn<int>("errors");
    QTest::newRow("existing list") << "list.clp" << Texts{"one", "two"} << 0;
    QTest::newRow("missing list: nothing, no message") << "gone.clp" << Texts{"", ""} << 0;
    QTest::newRow("unreadable list: reported, capture still on")
        << "folder.clp" << Texts{"", ""} << 1;
}

void TestFileCommands::startupLoadsTheCurrentFile() {
    QFETCH(QString, file);
    QFETCH(Texts, clips);
    QFETCH(int, errors);
    TFormFixture f;
    TTestDir::Write(f.Dir.File("list.clp"), "one\r\n\x0c\r\ntwo\r\n\x0c\r\n");
    QDir().mkdir(f.Dir.File("folder.clp"));
    f.Settings.DefaultFile = f.Dir.File(file);
    auto& form = f.Create();
    QCOMPARE(f.Clips(2), clips);
    QCOMPARE(form.pnlStatus->text(), f.Dir.File(file));
    QCOMPARE(f.Prompts.Shown.size(), errors);
    QVERIFY(!form.ListChanged);
    f.Clipboard.CopyFromOtherProgram("recorded");
    QCOMPARE(form.ClipAt(0), QByteArray("recorded"));
}

void TestFileCommands::saveWithoutFileAsksForName() {
    TFormFixture f;
    auto& form = f.Create();
    f.Clipboard.CopyFromOtherProgram("clip");
    const QString chosen = f.Dir.File("lists/mine.clp");
    QDir().mkdir(f.Dir.File("lists"));
    f.Prompts.Files.enqueue(chosen);
    form.SaveClipList1Click();
    QCOMPARE(f.Prompts.Dialogs.size(), 1);
    QCOMPARE(f.Prompts.Dialogs[0].Filter, "Quillery Files (*.clp)|*.CLP");
    QCOMPARE(f.Prompts.Dialogs[0].DefaultExt, "Clp");
    QCOMPARE(f.Prompts.Dialogs[0].InitialDir + "/", f.Dir.Path());
    QCOMPARE(TTestDir::Read(chosen), QByteArray("clip\r\n\x0c\r\n"));
    QCOMPARE(f.Settings.DefaultFile, chosen);
    QCOMPARE(form.pnlStatus->text(), chosen);
    QVERIFY(!form.ListChanged);
    QCOMPARE(TIniFile(f.Settings.IniFileName()).ReadString("Options", "LastDir", ""),
             f.Dir.File("lists"));
}

void TestFileCommands::saveCancelledChangesNothing() {
    TFormFixture f;
    auto& form = f.Create();
    f.Clipboard.CopyFromOtherProgram("clip");
    form.SaveClipList1Click();
    QVERIFY(form.ListChanged);
    QVERIFY(f.Settings.DefaultFile.isEmpty());
    QVERIFY(!QFile::exists(f.Settings.IniFileName()));
}

void TestFileCommands::saveToExistingFileAsksNothing() {
    TFormFixture f;
    TTestDir::Write(f.Dir.File("cur.clp"), "old\r\n\x0c\r\n");
    f.Settings.DefaultFile = f.Dir.File("cur.clp");
    auto& form = f.Create();
    f.Clipboard.CopyFromOtherProgram("new");
    form.SaveClipList1Click();
    QVERIFY(f.Prompts.Shown.isEmpty());
    QCOMPARE(TTestDir::Read(f.Dir.File("cur.clp")), QByteArray("new\r\n\x0c\r\nold\r\n\x0c\r\n"));
    QVERIFY(!QFile::exists(f.Settings.IniFileName())); // LastDir is not written
    QVERIFY(!form.ListChanged);
}

void TestFileCommands::autoOpenFile_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("top");
    QTest::addColumn<QString>("message");
    QTest::newRow("opens and becomes current") << "arg.clp" << QByteArray("from arg") << "";
    QTest::newRow("missing: nothing") << "nope.clp" << QByteArray("kept") << "";
    QTest::newRow("unreadable: told") << "dir.clp" << QByteArray("kept") << "Failed to open File: ";
    QTest::newRow("relative: stored whole") << "./sub/../arg.clp" << QByteArray("from arg") << "";
}

void TestFileCommands::autoOpenFile() {
    QFETCH(QString, name);
    QFETCH(QByteArray, top);
    QFETCH(QString, message);
    TFormFixture f;
    TTestDir::Write(f.Dir.File("arg.clp"), "from arg\r\n\x0c\r\n");
    QDir().mkdir(f.Dir.File("dir.clp"));
    auto& form = f.Create();
    f.Clipboard.CopyFromOtherProgram("kept");
    QDir().mkdir(f.Dir.File("sub"));
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(f.Dir.Path()); // a name on the command line is taken from here
    form.AutoOpenFile(name);
    QDir::setCurrent(cwd);
    QCOMPARE(form.ClipAt(0), top);
    if (message.isEmpty()) {
        QVERIFY(f.Prompts.Shown.isEmpty());
    } else {
        QCOMPARE(f.Prompts.Shown.size(), 1);
        QCOMPARE(f.Prompts.Shown[0].Text, message + f.Dir.File(name));
    }
    if (name != "nope.clp")
        QCOMPARE(f.Settings.DefaultFile, QFileInfo(f.Dir.File(name)).absoluteFilePath());
}

void TestFileCommands::exitSave_data() {
    QTest::addColumn<bool>("changed");
    QTest::addColumn<bool>("autoSave");
    QTest::addColumn<bool>("promptSave");
    QTest::addColumn<bool>("interactive");
    QTest::addColumn<QString>("defaultFile");
    QTest::addColumn<QString>("written"); // file expected to hold the list, empty for none
    QTest::addColumn<int>("questions");
    QTest::newRow("auto save to the next free temp list") << true << true << false << true << ""
                                                          << "qlry0003.Clp" << 0;
    QTest::newRow("auto save to the current file, even a vanished one")
        << true << true << true << true << "gone.clp"
        << "gone.clp" << 0;
    QTest::newRow("prompt, answered No") << true << false << true << true << "cur.clp"
                                         << "" << 1;
    QTest::newRow("no prompt, no auto save") << true << false << false << true << ""
                                             << "" << 0;
    QTest::newRow("unchanged list") << false << true << true << true << ""
                                    << "" << 0;
    QTest::newRow("session end cannot ask: saved") << true << false << true << false << ""
                                                   << "qlry0003.Clp" << 0;
    QTest::newRow("session end cannot ask: the current file stays")
        << true << false << true << false << "cur.clp"
        << "qlry0003.Clp" << 0;
}

void TestFileCommands::exitSave() {
    QFETCH(bool, changed);
    QFETCH(bool, autoSave);
    QFETCH(bool, promptSave);
    QFETCH(bool, interactive);
    QFETCH(QString, defaultFile);
    QFETCH(QString, written);
    QFETCH(int, questions);
    TFormFixture f;
    TTestDir::Write(f.Dir.File("qlry0001.Clp"), "");
    TTestDir::Write(f.Dir.File("qlry0002.Clp"), "");
    f.Settings.AutoSave = autoSave;
    f.Settings.PromptSave = promptSave;
    f.Settings.DefaultFile = defaultFile.isEmpty() ? QString() : f.Dir.File(defaultFile);
    auto& form = f.Create();
    f.Clipboard.CopyFromOtherProgram("the list");
    form.ListChanged = changed;
    f.Prompts.Answers.enqueue(TAnswer::No);
    form.ExitSaveStep(interactive);
    QCOMPARE(f.Prompts.Shown.size(), questions);
    if (questions) {
        QCOMPARE(f.Prompts.Shown[0].Caption, "Confirmation");
        QCOMPARE(f.Prompts.Shown[0].Text, "Save Clipboard List?");
    }
    const QStringList lists = QDir(f.Dir.Path()).entryList({"*.clp"}, QDir::Files);
    if (written.isEmpty()) {
        QCOMPARE(lists, (QStringList{"qlry0001.Clp", "qlry0002.Clp"}));
    } else {
        QCOMPARE(TTestDir::Read(f.Dir.File(written)), QByteArray("the list\r\n\x0c\r\n"));
        QVERIFY(f.Settings.DefaultFile ==
                (defaultFile.isEmpty() ? QString() : f.Dir.File(defaultFile)));
    }
    if (defaultFile.isEmpty() || written == defaultFile)
        return;
    // The user's file was not written; where the list went is said, and again at the next
    // start.
    QVERIFY(!QFile::exists(f.Dir.File(defaultFile)));
    if (written.isEmpty())
        return;
    const QString note = f.Settings.LastExitNote;
    QVERIFY(note.contains(written) && note.contains(defaultFile));
    f.Create();
    QCOMPARE(f.Form->pnlStatus->text(), note);
    QVERIFY(f.Settings.LastExitNote.isEmpty());
}

void TestFileCommands::exitSaveWithAllTempNamesTaken() {
    TFormFixture f;
    for (int n = 1; n <= 9999; ++n)
        TTestDir::Write(f.Dir.File(QString::asprintf("qlry%.4d.Clp", n)), "");
    f.Settings.AutoSave = true;
    auto& form = f.Create();
    f.Clipboard.CopyFromOtherProgram("no room");
    form.ExitSaveStep(true);
    QCOMPARE(f.Prompts.Shown.size(), 1);
    QCOMPARE(f.Prompts.Shown[0].Text, "File Not Saved: too many temp clip lists.");
    QCOMPARE(QDir(f.Dir.Path()).entryList({"*.clp"}, QDir::Files).size(), 9999);
    // While running, Auto Save says so on the status line, and takes a name freed later.
    form.ListChanged = true;
    QTRY_COMPARE_WITH_TIMEOUT(form.pnlStatus->text(), "File Not Saved: too many temp clip lists.",
                              2500);
    QFile::remove(f.Dir.File("qlry0777.Clp"));
    QTRY_COMPARE_WITH_TIMEOUT(TTestDir::Read(f.Dir.File("qlry0777.Clp")),
                              QByteArray("no room\r\n\x0c\r\n"), 2500);
}

void TestFileCommands::openAndNew_data() {
    QTest::addColumn<QString>("command"); // "open" or "new"
    QTest::addColumn<bool>("changed");
    QTest::addColumn<int>("answer");     // to the save question: 1 OK, 0 Cancel
    QTest::addColumn<QString>("chosen"); // in the dialog: "" cancels
    QTest::addColumn<Texts>("clips");
    QTest::newRow("open an unchanged list")
        << "open" << false << 0 << "other.clp" << Texts{"o1", "o2"};
    QTest::newRow("open, save first: OK")
        << "open" << true << 1 << "other.clp" << Texts{"o1", "o2"};
    QTest::newRow("open, Cancel still opens")
        << "open" << true << 0 << "other.clp" << Texts{"o1", "o2"};
    QTest::newRow("open cancelled in the dialog")
        << "open" << true << 0 << "" << Texts{"new clip", "c1"};
    QTest::newRow("open a file that is not there")
        << "open" << false << 0 << "missing.clp" << Texts{"new clip", "c1"};
    QTest::newRow("open a file that cannot be read")
        << "open" << true << 0 << "pipe.clp" << Texts{"new clip", "c1"};
    QTest::newRow("new, save first: OK") << "new" << true << 1 << "" << Texts{"", ""};
    QTest::newRow("new, Cancel") << "new" << true << 0 << "" << Texts{"", ""};
}

void TestFileCommands::openAndNew() {
    QFETCH(QString, command);
    QFETCH(bool, changed);
    QFETCH(int, answer);
    QFETCH(QString, chosen);
    QFETCH(Texts, clips);
    TFormFixture f;
    const QString current = f.Dir.File("current.clp");
    TTestDir::Write(current, "c1\r\n\x0c\r\n");
    QDir().mkdir(f.Dir.File("sub"));
    TTestDir::Write(f.Dir.File("sub/other.clp"), "o1\r\n\x0c\r\no2\r\n\x0c\r\n");
    QVERIFY(::mkfifo(f.Dir.File("sub/pipe.clp").toLocal8Bit().constData(), 0600) == 0);
    f.Settings.DefaultFile = current;
    auto& form = f.Create();
    f.Clipboard.CopyFromOtherProgram("new clip");
    form.ListChanged = changed;
    f.Prompts.Answers.enqueue(answer ? TAnswer::Ok : TAnswer::Cancel);
    f.Prompts.Files.enqueue(chosen.isEmpty() ? QString() : f.Dir.File("sub/" + chosen));
    if (command == "open")
        form.Guarded([&] { form.OpenClipList1Click(); });
    else
        form.NewClipList1Click();
    QCOMPARE(f.Prompts.Shown.count({"ask", "Confirmation", "Would you like to save your changes?"}),
             changed ? 1 : 0);
    // OK saved the changed list first; Cancel left the file as it was.
    QCOMPARE(
        TTestDir::Read(current),
        QByteArray(changed && answer ? "new clip\r\n\x0c\r\nc1\r\n\x0c\r\n" : "c1\r\n\x0c\r\n"));
    QCOMPARE(f.Clips(2), clips);
    const bool opened = command == "open" && chosen == "other.clp";
    const QString lastDir = TIniFile(f.Settings.IniFileName()).ReadString("Options", "LastDir", "");
    if (opened) {
        QCOMPARE(f.Settings.DefaultFile, f.Dir.File("sub/other.clp"));
        QCOMPARE(form.pnlStatus->text(), f.Dir.File("sub/other.clp"));
        QCOMPARE(lastDir, f.Dir.File("sub"));
        QCOMPARE(form.OpenDialog1->Dialog.InitialDir, f.Dir.File("sub"));
        QVERIFY(!form.ListChanged);
    } else if (chosen == "pipe.clp") {
        // The name is taken, the list is left alone, the error is reported.
        QCOMPARE(f.Settings.DefaultFile, f.Dir.File("sub/pipe.clp"));
        QCOMPARE(form.pnlStatus->text(), f.Dir.File("sub/pipe.clp"));
        QVERIFY(form.ListChanged);
        QCOMPARE(f.Prompts.Shown.last().Kind, "error");
    } else if (command == "new") {
        QCOMPARE(f.Settings.DefaultFile, QString());
        QCOMPARE(form.pnlStatus->text(), QString());
        QVERIFY(!form.ListChanged);
    } else {
        QCOMPARE(f.Settings.DefaultFile, current);
        QCOMPARE(lastDir, QString());
    }
}

void TestFileCommands::fileNotReadWholeIsNeverReplacedSilently_data() {
    QTest::addColumn<QByteArray>("file"); // "folder": a folder stands where the file belongs
    QTest::addColumn<QString>("note");    // on the status line; empty for a whole read
    QTest::addColumn<QString>("action");  // "save OK", "save Cancel" or "exit"
    QByteArray five;
    for (int n = 1; n <= 5; ++n)
        five += QByteArray::number(n) + "\r\n\x0c\r\n";
    QByteArray noise(1 << 20, Qt::Uninitialized);
    QRandomGenerator random(3);
    for (char& c : noise)
        c = char(random.bounded(256));
    noise.replace('\x0c', 'x'); // no separator line by chance
    const QList<std::tuple<const char*, QByteArray, QString>> files{
        {"more records than Rows", five, "3 of 5 clips"},
        // All lines but the last stay in row 0; the last one is left out.
        {"no separator in a non-empty file", noise, "1 of 2 clips"},
        {"one line without separator", QByteArray(1 << 20, 'z'), "0 of 1 clips"},
        {"no file", "folder", ""},
        {"0x1A inside: read whole",
         "a\x1a"
         "b\r\n\x0c\r\n",
         ""}};
    for (const auto& [name, bytes, note] : files) {
        for (const char* action : {"save OK", "save Cancel", "exit"}) {
            if (bytes == "folder" && QByteArray(action) == "save OK")
                continue; // nothing can be written there
            QTest::newRow(qPrintable(QString("%1, %2").arg(name, action)))
                << bytes << note << QString(action);
        }
    }
}

void TestFileCommands::fileNotReadWholeIsNeverReplacedSilently() {
    QFETCH(QByteArray, file);
    QFETCH(QString, note);
    QFETCH(QString, action);
    TFormFixture f;
    const QString name = f.Dir.File("big.clp");
    if (file == "folder")
        QVERIFY(QDir().mkdir(name));
    else
        TTestDir::Write(name, file);
    f.Settings.Rows = 3;
    f.Settings.AutoSave = true;
    f.Settings.DefaultFile = name;
    auto& form = f.Create();
    f.Prompts.Shown.clear(); // a folder reports its failed read at start
    QCOMPARE(form.pnlStatus->text(),
             note.isEmpty() ? name : name + QString::fromUtf8(" — ") + note);
    f.Clipboard.CopyFromOtherProgram("new");
    const bool whole = note.isEmpty() && file != "folder";
    if (action == "exit") {
        form.ExitSaveStep(true);
    } else {
        f.Prompts.Answers.enqueue(action == "save OK" ? TAnswer::Ok : TAnswer::Cancel);
        form.SaveClipList1Click();
    }
    const bool replaced = whole || action == "save OK";
    if (file != "folder")
        QCOMPARE(TTestDir::Read(name) == file, !replaced);
    QCOMPARE(form.ListChanged, action == "save Cancel" && !whole);
    if (whole) {
        QVERIFY(f.Prompts.Shown.isEmpty());
        return;
    }
    QCOMPARE(f.Prompts.Shown.size(), 1);
    QVERIFY2(f.Prompts.Shown[0].Text.contains(name), qPrintable(f.Prompts.Shown[0].Text));
    if (action == "exit") {
        QCOMPARE(f.Prompts.Shown[0].Kind, "message");
        QVERIFY(TTestDir::Read(f.Dir.File("qlry0001.Clp")).startsWith("new\r\n\x0c\r\n"));
        return;
    }
    QCOMPARE(f.Prompts.Shown[0].Kind, "ask");
    if (note.isEmpty())
        return;
    // How many clips the save would lose: those the list lacks, and one more where the copy
    // pushed one of the file's clips off the full list.
    const int read = note.section(' ', 0, 0).toInt(), total = note.section(' ', 2, 2).toInt();
    const int lost = total - read + (read == f.Settings.Rows ? 1 : 0);
    QVERIFY2(f.Prompts.Shown[0].Text.contains(QString(" %1 clips").arg(lost)),
             qPrintable(f.Prompts.Shown[0].Text));
}

QTEST_MAIN(TestFileCommands)
#include "tst_FileCommands.moc"
