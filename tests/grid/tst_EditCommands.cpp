#include "fakes/FormFixture.h"

#include <QAction>
#include <QLineEdit>
#include <QtTest>

using Texts = QList<QByteArray>;

class TestEditCommands : public QObject {
    Q_OBJECT
private slots:
    void selectClip();
    void selectAll_data();
    void selectAll();
    void failedWritesRestoreTheGuards();
    void deleteKeepsTheRowCount();
    void moveAndInsert();
    void sortsLeaveCurrentRow();
    void clearClipList_data();
    void clearClipList();
    void leavingTheGridAfterAChange();
    void keysAndClicksOnTheSelection();
};

namespace {
// Rows r0 .. r(n-1), the list then unchanged.
void FillRows(TFormFixture& f, int n) {
    for (int r = n - 1; r >= 0; --r)
        f.Clipboard.CopyFromOtherProgram("r" + QByteArray::number(r));
    f.Form->ListChanged = false;
    f.Form->StringGrid1->Modified = false;
}
} // namespace

void TestEditCommands::selectClip() {
    TFormFixture f;
    f.Settings.MinCopy = true;
    f.Settings.Tray = false;
    auto& form = f.Create();
    form.show();
    FillRows(f, 8);
    form.StringGrid1->SetSelection({0, 4, 1, 6});
    form.SelectClip1->trigger();
    QCOMPARE(f.Clipboard.Current(), QByteArray("r4"));
    QCOMPARE(form.CurrentRow, 4);
    QCOMPARE(f.Clips(2), (Texts{"r0", "r1"})); // not recorded as a new clip
    QVERIFY(!form.ListChanged);
    QVERIFY(form.CaptureArmed);
    QVERIFY(f.Settings.Minimized); // MinCopy
}

void TestEditCommands::selectAll_data() {
    QTest::addColumn<Texts>("clips");
    QTest::addColumn<QByteArray>("clipboard");
    QTest::newRow("lone LF becomes CR LF, empty rows left out")
        << Texts{"one", "x\ny", ""} << QByteArray("one\r\nx\r\ny\r\n");
    QTest::newRow("a clip ending in a line break is followed by an empty line")
        << Texts{"a\r\n", "b"} << QByteArray("a\r\n\r\nb\r\n");
}

void TestEditCommands::selectAll() {
    QFETCH(Texts, clips);
    QFETCH(QByteArray, clipboard);
    TFormFixture f;
    f.Settings.Rows = int(clips.size());
    auto& form = f.Create();
    for (int r = 0; r < clips.size(); ++r)
        form.SetClipAt(r, clips[r]);
    form.StringGrid1->SetSelection({0, 1, 1, 1});
    form.SelectAll1->trigger();
    QCOMPARE(f.Clipboard.Current(), clipboard);
    QCOMPARE(f.Clips(int(clips.size())), clips);
    QCOMPARE(form.StringGrid1->Selection(), (TGridRect{0, 1, 1, 1}));
}

void TestEditCommands::failedWritesRestoreTheGuards() {
    TFormFixture f;
    auto& form = f.Create();
    FillRows(f, 3);
    f.Clipboard.FailWrites = true;
    form.SelectClip1->trigger();
    form.SelectAll1->trigger();
    QCOMPARE(f.Prompts.Shown.size(), 2);
    QCOMPARE(f.Prompts.Shown[0].Text, "Cannot open clipboard");
    QVERIFY(form.CaptureArmed && !form.OwnWrite);
    f.Clipboard.FailWrites = false;
    f.Clipboard.CopyFromOtherProgram("still recorded");
    QCOMPARE(form.ClipAt(0), QByteArray("still recorded"));
}

void TestEditCommands::deleteKeepsTheRowCount() {
    TFormFixture f;
    auto& form = f.Create();
    form.show();
    FillRows(f, 25);
    form.StringGrid1->SetSelection({0, 3, 1, 5});
    form.Delete1->trigger();
    QCOMPARE(form.StringGrid1->RowCount(), 25);
    QCOMPARE(f.Clips(7), (Texts{"r0", "r1", "r2", "r6", "r7", "r8", "r9"}));
    QCOMPARE(form.ClipAt(21), QByteArray("r24"));
    QCOMPARE(form.ClipAt(22), QByteArray());
    QCOMPARE(form.ClipAt(24), QByteArray());
    QVERIFY(form.ListChanged);
    // The Delete key in the grid does the same.
    form.ListChanged = false;
    form.StringGrid1->SetSelection({0, 0, 1, 0});
    form.StringGrid1->setFocus();
    QTest::keyClick(form.StringGrid1, Qt::Key_Delete);
    QCOMPARE(f.Clips(2), (Texts{"r1", "r2"}));
    QVERIFY(form.ListChanged);
}

void TestEditCommands::moveAndInsert() {
    TFormFixture f;
    f.Settings.Rows = 4;
    auto& form = f.Create();
    FillRows(f, 4);
    form.CurrentRow = 0;
    form.MoveUp1->trigger(); // the top row goes no higher
    QCOMPARE(f.Clips(4), (Texts{"r0", "r1", "r2", "r3"}));
    form.MoveDown1->trigger();
    QCOMPARE(f.Clips(4), (Texts{"r1", "r0", "r2", "r3"}));
    QCOMPARE(form.CurrentRow, 1);
    form.CurrentRow = 3;
    form.MoveDown1->trigger(); // the last row goes no lower
    QCOMPARE(f.Clips(4), (Texts{"r1", "r0", "r2", "r3"}));
    form.MoveUp1->trigger();
    QCOMPARE(f.Clips(4), (Texts{"r1", "r0", "r3", "r2"}));
    QCOMPARE(form.CurrentRow, 2);
    form.InsertClip1->trigger();
    QCOMPARE(form.StringGrid1->RowCount(), 5);
    QCOMPARE(f.Clips(5), (Texts{"r1", "r0", "", "r3", "r2"}));
    QCOMPARE(form.CurrentRow, 2);
    QVERIFY(!form.ListChanged); // these count once the grid is left
    QVERIFY(form.StringGrid1->Modified);
}

void TestEditCommands::sortsLeaveCurrentRow() {
    TFormFixture f;
    f.Settings.Rows = 4;
    auto& form = f.Create();
    for (const char* clip : {"b", "a", "C"})
        f.Clipboard.CopyFromOtherProgram(clip);
    form.CurrentRow = 1;
    form.SortClips1->trigger();
    QCOMPARE(f.Clips(4), (Texts{"", "a", "b", "C"}));
    form.SortDescending1->trigger();
    QCOMPARE(f.Clips(4), (Texts{"C", "b", "a", ""}));
    QCOMPARE(form.CurrentRow, 1);
}

void TestEditCommands::clearClipList_data() {
    QTest::addColumn<bool>("clearFile");
    QTest::addColumn<QList<int>>("answers"); // 1 Yes, 0 No
    QTest::addColumn<bool>("cleared");
    QTest::addColumn<QByteArray>("file"); // the current file afterwards
    QTest::addColumn<bool>("keepsName");
    const QByteArray old = "old\r\n\x0c\r\n";
    QTest::newRow("No changes nothing") << false << QList<int>{0} << false << old << true;
    QTest::newRow("Yes: emptied, the file let go")
        << false << QList<int>{1} << true << old << false;
    QTest::newRow("Yes, and empty the file too")
        << true << QList<int>{1, 1} << true << QByteArray() << true;
    QTest::newRow("Yes, but keep the file") << true << QList<int>{1, 0} << true << old << false;
}

void TestEditCommands::clearClipList() {
    QFETCH(bool, clearFile);
    QFETCH(QList<int>, answers);
    QFETCH(bool, cleared);
    QFETCH(QByteArray, file);
    QFETCH(bool, keepsName);
    TFormFixture f;
    const QString name = f.Dir.File("list.clp");
    TTestDir::Write(name, "old\r\n\x0c\r\n");
    f.Settings.DefaultFile = name;
    f.Settings.ClearFile = clearFile;
    auto& form = f.Create();
    f.Clipboard.CopyFromOtherProgram("new");
    for (int a : answers)
        f.Prompts.Answers.enqueue(a ? TAnswer::Yes : TAnswer::No);
    QVERIFY(!form.ClearClipList1->isVisible());
    form.ClearClipList1->trigger();
    QCOMPARE(f.Prompts.Shown[0].Text, "Are you sure you want to clear the clip list?");
    QCOMPARE(form.ClipAt(0), cleared ? QByteArray() : QByteArray("new"));
    QCOMPARE(form.ListChanged, !cleared);
    QCOMPARE(TTestDir::Read(name), file);
    QCOMPARE(f.Settings.DefaultFile, keepsName ? name : QString());
}

void TestEditCommands::leavingTheGridAfterAChange() {
    TFormFixture f;
    auto& form = f.Create();
    auto* other = new QLineEdit(&form); // another control of the window
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    FillRows(f, 3);
    form.activateWindow();
    form.StringGrid1->setFocus();
    QTRY_VERIFY(form.StringGrid1->hasFocus());
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    QVERIFY(!form.ListChanged); // nothing changed in the grid
    form.StringGrid1->setFocus();
    form.CurrentRow = 0;
    form.MoveDown1->trigger();
    QVERIFY(!form.ListChanged);
    other->setFocus();
    QTRY_VERIFY(form.ListChanged);
    // After a save the list is settled: leaving the grid raises no change from before it.
    f.Settings.DefaultFile = f.Dir.File("list.clp");
    form.StringGrid1->setFocus();
    QTRY_VERIFY(form.StringGrid1->hasFocus());
    form.MoveDown1->trigger();
    form.SaveClipList1Click();
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    QVERIFY(!form.ListChanged);
}

// Delete acts on what is seen selected; Shift+Ctrl+End and Home extend the selection.
void TestEditCommands::keysAndClicksOnTheSelection() {
    TFormFixture f;
    f.Settings.Rows = 4;
    f.Settings.Height = 400;
    auto& form = f.Create();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    FillRows(f, 4);
    auto* grid = form.StringGrid1;
    auto* view = grid->viewport();
    const auto rowAt = [&](int r) { return grid->visualRect(grid->Model().index(r, 1)).center(); };
    QTest::mouseClick(view, Qt::LeftButton, {}, rowAt(1));
    QTest::keyClick(grid, Qt::Key_End, Qt::ShiftModifier | Qt::ControlModifier);
    QCOMPARE(grid->Selection().Top, 1);
    QCOMPARE(grid->Selection().Bottom, 3);
    QTest::keyClick(grid, Qt::Key_Home, Qt::ShiftModifier | Qt::ControlModifier);
    QCOMPARE(grid->Selection().Top, 0);
    QCOMPARE(grid->Selection().Bottom, 1);
    const QPoint below = rowAt(3) + QPoint(0, 3 * grid->rowHeight(3));
    QVERIFY(below.y() < view->height());
    QTest::mouseClick(view, Qt::LeftButton, {}, below);
    QVERIFY(!grid->selectionModel()->hasSelection());
    QTest::keyClick(grid, Qt::Key_Delete);
    QCOMPARE(f.Clips(4), (Texts{"r0", "r1", "r2", "r3"}));
}

QTEST_MAIN(TestEditCommands)
#include "tst_EditCommands.moc"
