#include "fakes/TestDir.h"
#include "gui/grid/CellEditor.h"
#include "gui/grid/KXStringGrid.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
using Texts = QList<QByteArray>;

// A clip-window-like grid: two columns, no fixed rows, column 1 holds the texts.
void Fill(TKXStringGrid& g, const Texts& texts) {
    g.SetColCount(2);
    g.SetFixed(0, 0);
    g.SetRowCount(static_cast<int>(texts.size()));
    for (int r = 0; r < texts.size(); ++r)
        g.SetCells(1, r, texts[r]);
}

// Opens the cell editor on the first clip of a shown grid.
TCellEditor* EditFirst(TKXStringGrid& g) {
    const QModelIndex index = g.Model().index(0, 1);
    g.setCurrentIndex(index);
    g.edit(index);
    return qobject_cast<TCellEditor*>(g.indexWidget(index));
}

// Types at the editor's cursor, presses Return and waits for the editor to close.
void TypeAndCommit(TKXStringGrid& g, TCellEditor* editor, const QString& typed) {
    if (!typed.isEmpty())
        QTest::keyClicks(editor, typed);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!g.indexWidget(g.Model().index(0, 1)));
}

Texts Column(const TKXStringGrid& g, int col) {
    Texts out;
    for (int r = 0; r < g.RowCount(); ++r)
        out.append(g.Cells(col, r));
    return out;
}
} // namespace

class TestKXStringGrid : public QObject {
    Q_OBJECT
private slots:
    void defaults();
    void sort_data();
    void sort();
    void sortSwapsEveryColumn();
    void descendingIsReverseOfAscending();
    void titleClickAlternates();
    void downKeyOnLastRow_data();
    void downKeyOnLastRow();
    void storeEditedText_data();
    void storeEditedText();
    void editorKeepsWholeText_data();
    void editorKeepsWholeText();
    void editorTakesHugeClipInPieces();
    void editorShowsLineTooLongReadOnly();
    void insertRow();
    void removeRow();
    void removeRowIgnoredOnFixedCurrentRow();
    void moveRowFollowsCurrent();
    void rowCountNeverBelowOne();
    void cellsHoldBytes();
    void csvSave();
    void csvLoad();
};

void TestKXStringGrid::defaults() {
    TKXStringGrid g;
    QCOMPARE(g.NewRowOnKeyDown, kdAlways);
    QCOMPARE(g.SortOnTitleClick, tcAscending);
    QVERIFY(g.EOLToSpace);
    QVERIFY(!g.Modified);
    QCOMPARE(g.About, "TKXStringGrid v1.01");
}

void TestKXStringGrid::sort_data() {
    QTest::addColumn<Texts>("before");
    QTest::addColumn<bool>("ascending");
    QTest::addColumn<Texts>("after");
    QTest::newRow("empty rows first ascending") << Texts{"pear", "", "apple", "", "Zebra"} << true
                                                << Texts{"", "", "apple", "pear", "Zebra"};
    QTest::newRow("empty rows last descending") << Texts{"pear", "", "apple", "", "Zebra"} << false
                                                << Texts{"Zebra", "pear", "apple", "", ""};
    QTest::newRow("underscore after letters")
        << Texts{"_x", "zebra", "a"} << true << Texts{"a", "zebra", "_x"};
    QTest::newRow("already sorted stays")
        << Texts{"a", "b", "c", "d"} << true << Texts{"a", "b", "c", "d"};
    QTest::newRow("high bytes not folded")
        << Texts{"\xe9", "\xc9", "e"} << true << Texts{"e", "\xc9", "\xe9"};
    QTest::newRow("one row") << Texts{"only"} << false << Texts{"only"};
}

void TestKXStringGrid::sort() {
    QFETCH(Texts, before);
    QFETCH(bool, ascending);
    QFETCH(Texts, after);
    TKXStringGrid g;
    Fill(g, before);
    g.SortByColumn(1, ascending);
    QCOMPARE(Column(g, 1), after);
    QVERIFY(g.Modified);
    g.SortByColumn(1, ascending); // twice gives the same
    QCOMPARE(Column(g, 1), after);
}

void TestKXStringGrid::sortSwapsEveryColumn() {
    TKXStringGrid g;
    Fill(g, {"b", "a"});
    g.SetCells(0, 0, "key of b");
    g.SetCells(0, 1, "key of a");
    g.SortByColumn(1, true);
    QCOMPARE(Column(g, 0), (Texts{"key of a", "key of b"}));
}

void TestKXStringGrid::descendingIsReverseOfAscending() {
    TKXStringGrid g;
    Fill(g, {"apple", "b", "APPLE", "Apple", "c"});
    g.SortByColumn(1, true);
    Texts ascending = Column(g, 1);
    Fill(g, {"apple", "b", "APPLE", "Apple", "c"});
    g.SortByColumn(1, false);
    std::reverse(ascending.begin(), ascending.end());
    QCOMPARE(Column(g, 1), ascending);
}

void TestKXStringGrid::titleClickAlternates() {
    TKXStringGrid g;
    Fill(g, {"Title", "b", "c", "a"});
    g.SetFixed(1, 0);
    g.resize(300, 200);
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    const QPoint title = g.visualRect(g.Model().index(0, 1)).center();
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, title);
    QCOMPARE(Column(g, 1), (Texts{"Title", "a", "b", "c"}));
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, title);
    QCOMPARE(Column(g, 1), (Texts{"Title", "c", "b", "a"}));
    g.SortOnTitleClick = tcNone;
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, title);
    QCOMPARE(Column(g, 1), (Texts{"Title", "c", "b", "a"}));
    g.SortOnTitleClick = tcAscending;
    const QPoint body = g.visualRect(g.Model().index(2, 1)).center();
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, body);
    QCOMPARE(Column(g, 1), (Texts{"Title", "c", "b", "a"}));
}

void TestKXStringGrid::downKeyOnLastRow_data() {
    QTest::addColumn<int>("rule");
    QTest::addColumn<QByteArray>("lastRowText");
    QTest::addColumn<int>("rowsAfter");
    QTest::newRow("never") << int(kdNever) << QByteArray("x") << 3;
    QTest::newRow("always, empty row") << int(kdAlways) << QByteArray() << 4;
    QTest::newRow("not empty rule, empty row") << int(kdLastRowNotEmpty) << QByteArray() << 3;
    QTest::newRow("not empty rule, row with text")
        << int(kdLastRowNotEmpty) << QByteArray("x") << 4;
}

void TestKXStringGrid::downKeyOnLastRow() {
    QFETCH(int, rule);
    QFETCH(QByteArray, lastRowText);
    QFETCH(int, rowsAfter);
    TKXStringGrid g;
    Fill(g, {"a", "b", lastRowText});
    g.NewRowOnKeyDown = static_cast<TOnKeyDown>(rule);
    g.SetCurrent(1, 2);
    QTest::keyClick(&g, Qt::Key_Down);
    QCOMPARE(g.RowCount(), rowsAfter);
    QCOMPARE(g.Row(), rowsAfter - 1);
    QVERIFY(!g.Modified);
}

void TestKXStringGrid::storeEditedText_data() {
    QTest::addColumn<bool>("eolToSpace");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("modified");
    QTest::newRow("line breaks become spaces")
        << true << "a\r\nb\r\nc" << QByteArray("a b c") << true;
    QTest::newRow("lone LF stays") << true << "a\nb" << QByteArray("a\nb") << true;
    QTest::newRow("switched off: unchanged") << false << "a\r\nb" << QByteArray("a\r\nb") << false;
}

void TestKXStringGrid::storeEditedText() {
    QFETCH(bool, eolToSpace);
    QFETCH(QString, typed);
    QFETCH(QByteArray, stored);
    QFETCH(bool, modified);
    TKXStringGrid g;
    Fill(g, {"old", "other"});
    g.EOLToSpace = eolToSpace;
    g.StoreEditedText(g.Model().index(0, 1), typed, true);
    QCOMPARE(g.Cells(1, 0), stored);
    QCOMPARE(g.Modified, modified);
}

void TestKXStringGrid::editorKeepsWholeText_data() {
    QTest::addColumn<QByteArray>("cell");
    QTest::addColumn<QString>("typed"); // typed at the end; empty: committed unchanged
    QTest::addColumn<QByteArray>("stored");
    const QByteArray longClip = QByteArray(40000, 'x') + "\r\ntail";
    QTest::newRow("long clip unchanged") << longClip << QString() << longClip;
    QTest::newRow("long clip edited") << longClip << "!" << longClip + "!";
    QTest::newRow("CR LF lines edited") << QByteArray("a\r\nb") << "c" << QByteArray("a\r\nbc");
    QTest::newRow("LF lines edited") << QByteArray("a\nb") << "c" << QByteArray("a\nbc");
    QTest::newRow("lone CR unchanged") << QByteArray("a\rb") << QString() << QByteArray("a\rb");
    QTest::newRow("legacy bytes unchanged")
        << QByteArray("caf\xe9") << QString() << QByteArray("caf\xe9");
    const QByteArray big = QByteArray("line of a big clip\r\n").repeated(250000);
    QTest::newRow("5 MB clip edited") << big << "end" << big + "end";
}

void TestKXStringGrid::editorKeepsWholeText() {
    QFETCH(QByteArray, cell);
    QFETCH(QString, typed);
    QFETCH(QByteArray, stored);
    TKXStringGrid g;
    g.EOLToSpace = false;
    Fill(g, {cell, "other"});
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    auto* editor = EditFirst(g);
    QVERIFY(editor);
    QTRY_VERIFY(!editor->IsLoading()); // a huge clip arrives in pieces
    editor->moveCursor(QTextCursor::End);
    TypeAndCommit(g, editor, typed);
    QCOMPARE(g.Cells(1, 0).size(), stored.size());
    QVERIFY(g.Cells(1, 0) == stored);
}

void TestKXStringGrid::editorTakesHugeClipInPieces() {
    const QByteArray huge = QByteArray("line of a huge clip\r\n").repeated(300000);
    TKXStringGrid g;
    Fill(g, {huge});
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    auto* editor = EditFirst(g);
    QVERIFY(editor);
    QVERIFY(editor->IsLoading());
    QVERIFY(editor->isReadOnly());
    TypeAndCommit(g, editor, "typed while loading"); // commits nothing
    QVERIFY(g.Cells(1, 0) == huge);

    editor = EditFirst(g);
    QVERIFY(editor);
    QTRY_VERIFY(!editor->IsLoading());
    QVERIFY(!editor->isReadOnly());
    QCOMPARE(editor->textCursor().selectedText().size(), editor->document()->characterCount() - 1);
    QVERIFY(!editor->IsModified());
}

void TestKXStringGrid::editorShowsLineTooLongReadOnly() {
    const QByteArray clip = "first\n" + QByteArray(TCellEditor::SplitAbove + 1, 'z');
    TKXStringGrid g;
    Fill(g, {clip});
    QSignalSpy said(&g, &TKXStringGrid::EditorShownReadOnly);
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    auto* editor = EditFirst(g);
    QVERIFY(editor);
    QTRY_VERIFY(!editor->IsLoading());
    QVERIFY(editor->IsSplit());
    QVERIFY(editor->isReadOnly());
    QCOMPARE(said.size(), 1);
    TypeAndCommit(g, editor, "ignored");
    QVERIFY(g.Cells(1, 0) == clip);
}

void TestKXStringGrid::insertRow() {
    TKXStringGrid g;
    Fill(g, {"a", "b", "c"});
    g.InsertRow(0);
    QCOMPARE(Column(g, 1), (Texts{"", "a", "b", "c"}));
    QVERIFY(g.Modified);
    g.InsertRow(2);
    QCOMPARE(Column(g, 1), (Texts{"", "a", "", "b", "c"}));
}

void TestKXStringGrid::removeRow() {
    TKXStringGrid g;
    Fill(g, {"only"});
    g.RemoveRow(0);
    QCOMPARE(Column(g, 1), Texts{""});
    QVERIFY(g.Modified);

    Fill(g, {"a", "b", "c", "d", "e"});
    g.SetSelection({0, 1, 1, 2});
    g.RemoveRow(1);
    QCOMPARE(Column(g, 1), (Texts{"a", "c", "d", "e"}));
    QCOMPARE(g.Selection(), (TGridRect{0, 1, 1, 2}));
}

void TestKXStringGrid::removeRowIgnoredOnFixedCurrentRow() {
    TKXStringGrid g;
    Fill(g, {"title", "a", "b"});
    g.SetFixed(1, 0);
    g.selectionModel()->setCurrentIndex(g.Model().index(0, 1), QItemSelectionModel::NoUpdate);
    g.RemoveRow(1);
    QCOMPARE(Column(g, 1), (Texts{"title", "a", "b"}));
    QVERIFY(!g.Modified);
}

void TestKXStringGrid::moveRowFollowsCurrent() {
    TKXStringGrid g;
    Fill(g, {"a", "b", "c", "d"});
    g.SetCurrent(1, 1);
    g.MoveRowTo(1, 3);
    QCOMPARE(Column(g, 1), (Texts{"a", "c", "d", "b"}));
    QCOMPARE(g.Row(), 3);
    g.MoveRowTo(3, 0);
    QCOMPARE(Column(g, 1), (Texts{"b", "a", "c", "d"}));
    QCOMPARE(g.Row(), 0);
    QVERIFY(g.Modified);
}

void TestKXStringGrid::rowCountNeverBelowOne() {
    TKXStringGrid g;
    g.SetRowCount(0);
    QCOMPARE(g.RowCount(), 1);
    g.SetRowCount(-5);
    QCOMPARE(g.RowCount(), 1);
    g.AppendRow();
    QCOMPARE(g.RowCount(), 2);
    QVERIFY(g.Modified);
}

void TestKXStringGrid::cellsHoldBytes() {
    TKXStringGrid g;
    const QByteArray legacy = "caf\xe9 \x80";
    Fill(g, {legacy});
    QCOMPARE(g.Cells(1, 0), legacy);
    // An editor that hands back the shown text unchanged must not re-encode the bytes.
    g.StoreEditedText(g.Model().index(0, 1),
                      g.Model().data(g.Model().index(0, 1), Qt::EditRole).toString(), false);
    QCOMPARE(g.Cells(1, 0), legacy);
    QCOMPARE(g.Cells(0, 0), QByteArray());
    QCOMPARE(g.Cells(5, 99), QByteArray());
}

void TestKXStringGrid::csvSave() {
    TKXStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(3);
    g.SetFixed(1, 1);
    const char* cells[3][3] = {{"#", "Name", "Note"}, {"1", "plain", "a,b"}, {"2", "", "q\"x"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            g.SetCells(c, r, cells[r][c]);
    TTestDir dir;
    g.SaveToCSV(dir.File("out.csv"));
    QCOMPARE(TTestDir::Read(dir.File("out.csv")), TTestDir::Golden("grid.csv"));
    g.SaveToCSV(QString()); // no name: nothing written, no error
}

void TestKXStringGrid::csvLoad() {
    TKXStringGrid g;
    g.SetColCount(3);
    g.SetFixed(1, 1);
    g.SetCells(0, 2, "stale");
    TTestDir dir;
    // Quotes come off before the blanks: a quoted field followed by a blank keeps its quotes.
    TTestDir::Write(dir.File("in.csv"), "Name,Note\r\n\"x,y\" , z\nlast\rfour,\"q\"\r\n");
    g.LoadFromCSV(dir.File("in.csv"), false);
    QCOMPARE(g.RowCount(), 4);
    QCOMPARE(Column(g, 1), (Texts{"Name", "\"x,y\"", "last", "four"}));
    QCOMPARE(Column(g, 2), (Texts{"Note", "z", "", "q"}));
    QCOMPARE(Column(g, 0), (Texts{"", "", "", ""}));
    QVERIFY(g.Modified);
    QVERIFY_THROWS_EXCEPTION(std::exception, g.LoadFromCSV(dir.File("missing.csv"), false));
}

QTEST_MAIN(TestKXStringGrid)
#include "tst_KXStringGrid.moc"
