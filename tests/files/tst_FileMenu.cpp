// The File menu's commands besides New, Open and Save, the Lists menu and Edit Clip List.
#include "core/config/IniFile.h"
#include "core/files/NativeNames.h"
#include "fakes/FormFixture.h"
#include "gui/grid/ZoomView.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QtTest>

using Texts = QList<QByteArray>;

class TestFileMenu : public QObject {
    Q_OBJECT
private slots:
    void menuOrder();
    void saveAs();
    void appendMakesAChange();
    void importText_data();
    void importText();
    void loadTextIntoClip_data();
    void loadTextIntoClip();
    void exportClip();
    void listsMenu();
    void listsMenuSavesFirst_data();
    void listsMenuSavesFirst();
    void editClipList_data();
    void editClipList();
    void editClipListToTheEnd_data();
    void editClipListToTheEnd();
    void editTheListsOwnFile_data();
    void editTheListsOwnFile();
};

namespace {
QByteArray Record(const QByteArray& clip) {
    return clip + "\r\n\x0c\r\n";
}
QString LastDir(const TFormFixture& f) {
    return TIniFile(f.Settings.IniFileName()).ReadString("Options", "LastDir", "");
}
} // namespace

void TestFileMenu::menuOrder() {
    TFormFixture f;
    auto& form = f.Create();
    QStringList names;
    for (QAction* item : form.findChild<QMenu*>("File1")->actions())
        names << (item->isSeparator() ? "-"
                  : item->menu()      ? item->menu()->objectName()
                                      : item->objectName());
    QCOMPARE(names, (QStringList{"NewClipList1", "OpenClipList1", "SaveClipList1", "SaveAs1",
                                 "EditClipList1", "AppendClipList1", "-", "ImportTextFile1",
                                 "ImportTextFileIntoCell1", "SaveCliptoFile1", "-", "Language2",
                                 "-", "Exit1"}));
    QStringList popup;
    for (QAction* item : form.popupClipList->actions())
        popup << (item->isSeparator() ? "-" : item->objectName());
    QCOMPARE(popup, (QStringList{"ZoomIn1", "ZoomOut1", "-", "Delete2", "LoadTextFileIntoClip1",
                                 "SaveCliptoTextFile1"}));
}

void TestFileMenu::saveAs() {
    TFormFixture f;
    f.Settings.DefaultFile = f.Dir.File("old.clp");
    auto& form = f.Create();
    f.Clipboard.CopyFromOtherProgram("clip");
    QDir().mkdir(f.Dir.File("sub"));
    f.Prompts.Files.enqueue(f.Dir.File("sub/new.clp"));
    form.SaveAs1Click();
    QCOMPARE(f.Prompts.Dialogs[0].FileName, f.Dir.File("old.clp")); // proposed
    QCOMPARE(f.Prompts.Dialogs[0].Filter, "Quillery Files (*.clp)|*.CLP");
    QCOMPARE(TTestDir::Read(f.Dir.File("sub/new.clp")), Record("clip"));
    QCOMPARE(f.Settings.DefaultFile, f.Dir.File("sub/new.clp"));
    QCOMPARE(form.pnlStatus->text(), f.Dir.File("sub/new.clp"));
    QCOMPARE(LastDir(f), f.Dir.File("sub"));
    QVERIFY(!form.ListChanged);
    // Cancelled: nothing changes.
    f.Clipboard.CopyFromOtherProgram("more");
    form.SaveAs1Click();
    QVERIFY(form.ListChanged);
    QCOMPARE(f.Settings.DefaultFile, f.Dir.File("sub/new.clp"));
    // Saving into the program folder puts the file in the Lists menu.
    f.Prompts.Files.enqueue(f.Dir.File("here.clp"));
    form.SaveAs1Click();
    QCOMPARE(form.Lists1->actions().size(), 1);
    QCOMPARE(form.Lists1->actions()[0]->text(), "here.clp");
    // A settings file that cannot be written never stops the save.
    QFile::remove(f.Settings.IniFileName());
    QDir().mkdir(f.Settings.IniFileName());
    f.Prompts.Files.enqueue(f.Dir.File("sub/third.clp"));
    form.SaveAs1Click();
    QCOMPARE(TTestDir::Read(f.Dir.File("sub/third.clp")), Record("more") + Record("clip"));
    QCOMPARE(f.Settings.DefaultFile, f.Dir.File("sub/third.clp"));
}

void TestFileMenu::appendMakesAChange() {
    TFormFixture f;
    f.Settings.Rows = 4;
    auto& form = f.Create();
    f.Clipboard.CopyFromOtherProgram("mine");
    form.ListChanged = false;
    TTestDir::Write(f.Dir.File("more.clp"), Record("a") + Record("b"));
    f.Prompts.Files.enqueue(f.Dir.File("more.clp"));
    form.AppendClipList1Click();
    QCOMPARE(f.Clips(4), (Texts{"mine", "a", "b", ""}));
    QVERIFY(form.ListChanged);
    QCOMPARE(f.Settings.DefaultFile, f.Dir.File("more.clp"));
    QCOMPARE(LastDir(f), QString());      // Append writes no LastDir
    QVERIFY(f.Prompts.Shown.size() == 1); // the dialog, no question
}

void TestFileMenu::importText_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Texts>("clips");
    QTest::newRow("one line a clip, form feeds are text")
        << QByteArray("a\r\n\x0c\r\nb\r\n") << Texts{"a", "\x0c", "b", ""};
    QTest::newRow("lines end at CR LF, LF or CR alike")
        << QByteArray("a\nb\rc\r\n\nd") << Texts{"a", "b", "c", ""};
    QTest::newRow("LF lines, as Linux writes them")
        << QByteArray("one\ntwo\nthree\n") << Texts{"one", "two", "three", ""};
    QTest::newRow("an end-of-file mark is no text")
        << QByteArray("x\ny\x1a") << Texts{"x", "y", "", ""};
    QTest::newRow("more lines than Rows")
        << QByteArray("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n") << Texts{"1", "2", "3", "4"};
    QTest::newRow("empty lines give empty rows")
        << QByteArray("x\r\n\r\ny\r\n") << Texts{"x", "", "y", ""};
}

void TestFileMenu::importText() {
    QFETCH(QByteArray, file);
    QFETCH(Texts, clips);
    TFormFixture f;
    f.Settings.Rows = 4;
    auto& form = f.Create();
    f.Clipboard.CopyFromOtherProgram("old");
    form.ListChanged = false;
    TTestDir::Write(f.Dir.File("in.txt"), file);
    f.Prompts.Files.enqueue(f.Dir.File("in.txt"));
    form.ImportTextFile1Click();
    QCOMPARE(f.Prompts.Dialogs[0].Filter, "Text files (*.txt)|*.TXT|All files (*.*)|*.*");
    QCOMPARE(f.Clips(4), clips);
    QVERIFY(!form.ListChanged);
    // Cancelled in the dialog, or a file that cannot be read: the list stays as it was.
    form.ImportTextFile1Click();
    QCOMPARE(f.Clips(4), clips);
    QDir().mkdir(f.Dir.File("folder.txt"));
    f.Prompts.Files.enqueue(f.Dir.File("folder.txt"));
    form.ImportTextFile1Click();
    QCOMPARE(f.Clips(4), clips);
}

void TestFileMenu::loadTextIntoClip_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("clip");
    QTest::newRow("every line ends with CR LF")
        << QByteArray("a\nb\rc") << QByteArray("a\r\nb\r\nc\r\n");
    QTest::newRow("a NUL ends the text")
        << QByteArray("keep\r\n\0lost", 11) << QByteArray("keep\r\n");
    QTest::newRow("an empty file gives an empty clip") << QByteArray() << QByteArray();
}

void TestFileMenu::loadTextIntoClip() {
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, clip);
    TFormFixture f;
    auto& form = f.Create();
    f.Clipboard.CopyFromOtherProgram("before");
    TTestDir::Write(f.Dir.File("in.txt"), file);
    f.Prompts.Files.enqueue(f.Dir.File("in.txt"));
    form.StringGrid1->SetSelection({0, 1, 1, 1});
    form.ImportTextFileIntoCell1Click();
    QCOMPARE(form.CurrentRow, 1);
    QCOMPARE(f.Clips(2), (Texts{"before", clip}));
    // No row: the message, and no dialog.
    form.StringGrid1->selectionModel()->clear();
    form.StringGrid1->setCurrentIndex({});
    form.CurrentRow = -1;
    f.Prompts.Shown.clear();
    form.SaveCliptoFile1Click();
    QCOMPARE(f.Prompts.Shown.size(), 1);
    QCOMPARE(f.Prompts.Shown[0].Text, "You must select a cell first.");
}

void TestFileMenu::exportClip() {
    TFormFixture f;
    auto& form = f.Create();
    f.Clipboard.CopyFromOtherProgram("no final break\nsecond");
    form.CurrentRow = 0;
    f.Prompts.Files.enqueue(f.Dir.File("out.txt"));
    form.SaveCliptoFile1Click();
    QCOMPARE(TTestDir::Read(f.Dir.File("out.txt")), QByteArray("no final break\r\nsecond\r\n"));
    QVERIFY(form.ListChanged); // unchanged by the export
    QCOMPARE(f.Settings.DefaultFile, QString());
    QCOMPARE(LastDir(f), QString());
    // With a list file: a text file of the same name is proposed, never the list itself.
    f.Settings.DefaultFile = f.Dir.File("work.clp");
    form.SaveAs1Click(); // cancelled, but the dialog now holds the list's name
    form.SaveCliptoFile1Click();
    QCOMPARE(f.Prompts.Dialogs.last().FileName, f.Dir.File("work.txt"));
    QCOMPARE(f.Prompts.Dialogs.last().DefaultExt, "txt");
    form.SaveAs1Click();
    QCOMPARE(f.Prompts.Dialogs.last().DefaultExt, "Clp");
}

void TestFileMenu::listsMenu() {
    TFormFixture f;
    for (const char* name : {"b.clp", "A.CLP", "qlry0001.Clp", "notes.txt"})
        TTestDir::Write(f.Dir.File(name), Record(name));
    QDir().mkdir(f.Dir.File("folder.clp")); // no list
    TTestDir::WriteNamed(f.Dir.Path().toUtf8() + "caf\xe9.clp", Record("café"));
    auto& form = f.Create();
    QStringList items;
    for (QAction* item : form.Lists1->actions())
        items << item->objectName() + "=" + item->text();
    QCOMPARE(items,
             (QStringList{"MM0=A.CLP", "MM1=b.clp", "MM2=caf\uFFFD.clp", "MM3=qlry0001.Clp"}));
    // A name that is not UTF-8 opens, and the list stays its file's.
    form.Lists1->actions()[2]->trigger();
    QCOMPARE(form.ClipAt(0), QByteArray("café"));
    QCOMPARE(NativeNames::Encode(f.Settings.DefaultFile), f.Dir.Path().toUtf8() + "caf\xe9.clp");
    form.StringGrid1->SetSelection({0, 2, 1, 2});
    form.Lists1->actions()[1]->trigger();
    QCOMPARE(form.ClipAt(0), QByteArray("b.clp"));
    QCOMPARE(f.Settings.DefaultFile, f.Dir.File("b.clp"));
    QCOMPARE(form.StringGrid1->Selection().Top, 0);
    QVERIFY(!form.ListChanged);
    // A file gone since: nothing loaded, no message, the name kept.
    QFile::remove(f.Dir.File("A.CLP"));
    form.Lists1->actions()[0]->trigger();
    QCOMPARE(form.ClipAt(0), QByteArray("b.clp"));
    QCOMPARE(f.Settings.DefaultFile, f.Dir.File("A.CLP"));
    QVERIFY(f.Prompts.Shown.isEmpty());
}

void TestFileMenu::listsMenuSavesFirst_data() {
    QTest::addColumn<bool>("autoSave");
    QTest::addColumn<int>("answer"); // to the question: 1 OK
    QTest::addColumn<bool>("saved");
    QTest::newRow("AutoSave: saved without a question") << true << 0 << true;
    QTest::newRow("asked, OK") << false << 1 << true;
    QTest::newRow("asked, Cancel") << false << 0 << false;
}

void TestFileMenu::listsMenuSavesFirst() {
    QFETCH(bool, autoSave);
    QFETCH(int, answer);
    QFETCH(bool, saved);
    TFormFixture f;
    TTestDir::Write(f.Dir.File("current.clp"), Record("old"));
    TTestDir::Write(f.Dir.File("next.clp"), Record("next"));
    f.Settings.DefaultFile = f.Dir.File("current.clp");
    f.Settings.AutoSave = autoSave;
    auto& form = f.Create();
    f.Clipboard.CopyFromOtherProgram("changed");
    f.Prompts.Answers.enqueue(answer ? TAnswer::Ok : TAnswer::Cancel);
    form.Lists1->actions()[1]->trigger();
    QCOMPARE(f.Prompts.Shown.size(), autoSave ? 0 : 1);
    QCOMPARE(TTestDir::Read(f.Dir.File("current.clp")),
             saved ? Record("changed") + Record("old") : Record("old"));
    QCOMPARE(form.ClipAt(0), QByteArray("next"));
}

void TestFileMenu::editClipList_data() {
    QTest::addColumn<bool>("autoSave");
    QTest::addColumn<QString>("end"); // "zoom out" (answered Yes or No) or "save"
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("written");
    QTest::newRow("Zoom Out, Yes") << false << "zoom out" << 1 << true;
    QTest::newRow("Zoom Out, No") << false << "zoom out" << 0 << false;
    QTest::newRow("Zoom Out with AutoSave: no question") << true << "zoom out" << 0 << true;
    QTest::newRow("Save") << false << "save" << 0 << true;
}

void TestFileMenu::editClipList() {
    QFETCH(bool, autoSave);
    QFETCH(QString, end);
    QFETCH(int, answer);
    QFETCH(bool, written);
    TFormFixture f;
    f.Settings.AutoSave = autoSave;
    f.Settings.DefaultFile = f.Dir.File("current.clp");
    TTestDir::Write(f.Dir.File("current.clp"), Record("current"));
    TTestDir::Write(f.Dir.File("edited.clp"), Record("one") + Record("two"));
    auto& form = f.Create();
    f.Prompts.Files.enqueue(f.Dir.File("edited.clp"));
    form.EditClipList1Click();
    QVERIFY(form.IsZoomed());
    QCOMPARE(form.Memo1->toPlainText(), QString("one\n\x0c\ntwo\n\x0c\n")); // as stored
    QVERIFY(!form.ListChanged);
    form.Memo1->moveCursor(QTextCursor::Start);
    QTest::keyClicks(form.Memo1, "new ");
    QVERIFY(!form.ListChanged); // a list file's text is no change of the list
    f.Prompts.Answers.enqueue(answer ? TAnswer::Yes : TAnswer::No);
    if (end == "save")
        form.SaveClipList1Click();
    form.ZoomOut();
    QCOMPARE(TTestDir::Read(f.Dir.File("edited.clp")),
             written ? Record("new one") + Record("two") : Record("one") + Record("two"));
    // No other file receives the text, and no clip either.
    QCOMPARE(TTestDir::Read(f.Dir.File("current.clp")), Record("current"));
    QCOMPARE(form.ClipAt(0), QByteArray("current"));
    QCOMPARE(QDir(f.Dir.Path()).entryList({"*.clp"}).size(), 2);
}

void TestFileMenu::editClipListToTheEnd_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("end");
    QTest::addColumn<bool>("autoSave");
    QTest::addColumn<bool>("typed");    // the edited file holds the typed text afterwards
    QTest::addColumn<bool>("tempList"); // qlry0001.Clp holds it instead
    const QByteArray list = Record("one");
    QTest::newRow("Save closes the view") << list << "save, zoom, save" << false << true << false;
    QTest::newRow("exit asks: Yes") << list << "exit" << false << true << false;
    QTest::newRow("exit without a user: the file stays")
        << list << "exit unattended" << false << false << true;
    QTest::newRow("exit with Auto Save") << list << "exit unattended" << true << true << false;
    QTest::newRow("an old single-byte file is read-only")
        << Record("caf\xe9") << "save, zoom, save" << false << false << false;
}

// However Edit Clip List ends, the file's text goes back to that file (or, unasked, to a
// temporary list) and never into the list or another file.
void TestFileMenu::editClipListToTheEnd() {
    QFETCH(QByteArray, file);
    QFETCH(QString, end);
    QFETCH(bool, autoSave);
    QFETCH(bool, typed);
    QFETCH(bool, tempList);
    TFormFixture f;
    f.Settings.AutoSave = autoSave;
    f.Settings.DefaultFile = f.Dir.File("current.clp");
    TTestDir::Write(f.Dir.File("current.clp"), Record("current"));
    TTestDir::Write(f.Dir.File("edited.clp"), file);
    auto& form = f.Create();
    f.Prompts.Files.enqueue(f.Dir.File("edited.clp"));
    form.EditClipList1Click();
    form.Memo1->moveCursor(QTextCursor::Start);
    QTest::keyClicks(form.Memo1, "new ");
    f.Prompts.Answers.enqueue(TAnswer::Yes);
    if (end == "save, zoom, save") {
        form.SaveClipList1Click();
        QVERIFY(!form.IsZoomed());
        form.CurrentRow = 0;
        form.ZoomIn();
        QVERIFY(!form.Memo1->isReadOnly());
        form.ZoomOut();
        form.SaveClipList1Click();
    } else {
        form.ExitSaveStep(end == "exit");
    }
    QCOMPARE(TTestDir::Read(f.Dir.File("edited.clp")), typed ? "new " + file : file);
    QCOMPARE(TTestDir::Read(f.Dir.File("qlry0001.Clp")), tempList ? "new " + file : "");
    QCOMPARE(TTestDir::Read(f.Dir.File("current.clp")), Record("current"));
    QCOMPARE(form.ClipAt(0), QByteArray("current"));
}

void TestFileMenu::editTheListsOwnFile_data() {
    QTest::addColumn<bool>("autoSave");
    QTest::addColumn<QString>("end");
    QTest::addColumn<int>("answer"); // to "save your changes?" before the edit: 1 OK
    QTest::addColumn<Texts>("list"); // afterwards, newest first
    const Texts all{"during", "new unsaved", "one", "two"};
    QTest::newRow("Auto Save, Save") << true << "save" << 0 << all;
    QTest::newRow("Auto Save, Zoom Out") << true << "zoom out" << 0 << all;
    QTest::newRow("Auto Save, exit") << true << "exit" << 0 << all;
    QTest::newRow("asked first, OK") << false << "save" << 1 << all;
    QTest::newRow("asked first, Cancel")
        << false << "save" << 0 << Texts{"during", "new one", "two"};
}

// The list becomes what the user saved, with the copies taken meanwhile on top: the list in
// the window never goes over the edit.
void TestFileMenu::editTheListsOwnFile() {
    QFETCH(bool, autoSave);
    QFETCH(QString, end);
    QFETCH(int, answer);
    QFETCH(Texts, list);
    TFormFixture f;
    f.Settings.AutoSave = autoSave;
    const QString own = f.Dir.File("current.clp");
    f.Settings.DefaultFile = own;
    TTestDir::Write(own, Record("one") + Record("two"));
    auto& form = f.Create();
    f.Clipboard.CopyFromOtherProgram("unsaved"); // not written yet
    f.Prompts.Answers.enqueue(answer ? TAnswer::Ok : TAnswer::Cancel);
    f.Prompts.Files.enqueue(own);
    form.EditClipList1Click();
    form.Memo1->moveCursor(QTextCursor::Start);
    QTest::keyClicks(form.Memo1, "new ");
    f.Clipboard.CopyFromOtherProgram("during");
    f.Prompts.Answers.enqueue(TAnswer::Yes);
    if (end == "save")
        form.SaveClipList1Click();
    else if (end == "zoom out")
        form.ZoomOut();
    else
        form.ExitSaveStep(false);
    QVERIFY(!form.IsZoomed() || end == "exit");
    QCOMPARE(form.ClipTexts().mid(0, list.size()), list);
    QCOMPARE(form.ClipAt(int(list.size())), QByteArray());
    QCOMPARE(form.ListChanged, end != "exit"); // the copy taken meanwhile: not in the file yet
    if (!autoSave)
        return;
    form.ExitSaveStep(false);
    QByteArray file;
    for (const QByteArray& clip : list)
        file += Record(clip);
    QCOMPARE(TTestDir::Read(own), file);
}

QTEST_MAIN(TestFileMenu)
#include "tst_FileMenu.moc"
