#include "fakes/FormFixture.h"
#include "gui/grid/CellEditor.h"
#include "gui/grid/ZoomView.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolButton>
#include <QtTest>

using Texts = QList<QByteArray>;

class TestZoom : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void commandsFollowTheView();
    void copyWhileZoomedWritesBackToItsClip();
    void longClipArrivesInPieces();
    void lineTooLongIsShownReadOnly_data();
    void lineTooLongIsShownReadOnly();
    void untouchedCharactersComeBack();
    void sortWhileZoomedEditsTheZoomedClip();
    void doubleClickOnlyZooms();
};

namespace {
void Fill(TFormFixture& f, const Texts& clips) {
    for (qsizetype i = clips.size() - 1; i >= 0; --i)
        f.Clipboard.CopyFromOtherProgram(clips[i]);
    f.Form->ListChanged = false;
}
} // namespace

void TestZoom::roundTrip_data() {
    QTest::addColumn<QByteArray>("clip");
    QTest::addColumn<QStringList>("typed"); // "\n" presses Enter
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("changed");
    QTest::newRow("nothing typed")
        << QByteArray("abc") << QStringList{} << QByteArray("abc") << true;
    QTest::newRow("an empty clip is no change")
        << QByteArray() << QStringList{} << QByteArray() << false;
    QTest::newRow("typed lines are CR LF") << QByteArray("a") << QStringList{"\n", "b", "\n", "c"}
                                           << QByteArray("a\r\nb\r\nc") << true;
    const QByteArray line(5000, 'w');
    QTest::newRow("a wrapped line stays one line")
        << line << QStringList{"!"} << line + "!" << true;
    QTest::newRow("lone LF kept when nothing is typed")
        << QByteArray("a\nb") << QStringList{} << QByteArray("a\nb") << true;
}

void TestZoom::roundTrip() {
    QFETCH(QByteArray, clip);
    QFETCH(QStringList, typed);
    QFETCH(QByteArray, stored);
    QFETCH(bool, changed);
    TFormFixture f;
    auto& form = f.Create();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    Fill(f, {"top", "middle"});
    form.SetClipAt(1, clip);
    form.CurrentRow = 1;
    form.spdbtnZoom->click();
    QVERIFY(form.IsZoomed());
    QVERIFY(form.Memo1->isVisible() && !form.StringGrid1->isVisible());
    QCOMPARE(form.ListChanged, changed);
    form.Memo1->moveCursor(QTextCursor::End);
    for (const QString& keys : typed) {
        if (keys == "\n")
            QTest::keyClick(form.Memo1, Qt::Key_Return);
        else
            QTest::keyClicks(form.Memo1, keys);
    }
    form.spdbtnShrink->click();
    QVERIFY(!form.IsZoomed());
    QVERIFY(!form.Memo1->isVisible() && form.StringGrid1->isVisible());
    QCOMPARE(form.ClipAt(1), stored);
    QCOMPARE(form.ClipAt(0), QByteArray("top"));
}

void TestZoom::commandsFollowTheView() {
    TFormFixture f;
    auto& form = f.Create();
    Fill(f, {"one", "two"});
    form.Contract1->trigger(); // Ctrl+PgDn while the grid shows: nothing
    QVERIFY(!form.IsZoomed());
    form.Expand1->trigger();
    QVERIFY(form.IsZoomed());
    QCOMPARE(form.Memo1->Text(), QByteArray("one"));
    form.CurrentRow = 1;
    form.Expand1->trigger(); // Ctrl+PgUp while zoomed: nothing
    QCOMPARE(form.Memo1->Text(), QByteArray("one"));
    QCOMPARE(form.Expand1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_PageUp));
    QCOMPARE(form.Contract1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_PageDown));
    emit form.popupClipList->aboutToShow();
    QVERIFY(!form.ZoomIn1->isEnabled() && form.ZoomOut1->isEnabled());
    form.ZoomOut1->trigger();
    QVERIFY(!form.IsZoomed());
    form.CurrentRow = -1; // no current row: no zoom
    form.ZoomIn();
    QVERIFY(!form.IsZoomed());
}

void TestZoom::copyWhileZoomedWritesBackToItsClip() {
    // The list moves on under the view: the edit still goes to the clip it came from.
    TFormFixture f;
    f.Settings.Rows = 2;
    auto& form = f.Create();
    Fill(f, {"first", "second"});
    form.CurrentRow = 0;
    form.ZoomIn();
    form.Memo1->moveCursor(QTextCursor::End);
    QTest::keyClicks(form.Memo1, "+");
    f.Clipboard.CopyFromOtherProgram("copied meanwhile");
    form.ZoomOut();
    QCOMPARE(f.Clips(2), (Texts{"copied meanwhile", "first+"}));
    form.CurrentRow = 1;
    form.ZoomIn();
    QTest::keyClicks(form.Memo1, "x");
    f.Clipboard.CopyFromOtherProgram("pushes it off the end");
    form.ZoomOut(); // its clip fell off the list: the edit comes back as a new clip
    QCOMPARE(f.Clips(2), (Texts{"xfirst+", "pushes it off the end"}));
}

void TestZoom::longClipArrivesInPieces() {
    TFormFixture f;
    auto& form = f.Create();
    // A CR LF falls on the border between the first two pieces.
    QByteArray clip = QByteArray(TZoomView::Piece - 1, 'a') + "\r\n";
    while (clip.size() < 5 * TZoomView::Piece)
        clip += "a line of a long clip\r\n";
    Fill(f, {clip});
    form.CurrentRow = 0;
    form.ZoomIn();
    QVERIFY(form.Memo1->IsLoading()); // the window is not held up by the whole text
    QVERIFY(form.Memo1->isReadOnly());
    QVERIFY(!form.Memo1->IsModified());
    QTRY_VERIFY_WITH_TIMEOUT(!form.Memo1->IsLoading(), 20000);
    QVERIFY(!form.Memo1->isReadOnly());
    QVERIFY(!form.Memo1->IsModified());
    QVERIFY(form.Memo1->Text() == clip);
    form.ZoomOut();
    QVERIFY(form.ClipAt(0) == clip);
}

void TestZoom::lineTooLongIsShownReadOnly_data() {
    QTest::addColumn<QByteArray>("clip");
    QTest::addColumn<bool>("split");
    const qsizetype limit = TZoomView::SplitAbove;
    QTest::newRow("longest line shown as it is") << QByteArray(limit, 'x') + "\r\nb" << false;
    QTest::newRow("one line too long") << QByteArray(limit + 1, 'x') << true;
    QTest::newRow("between short lines")
        << "short\r\n" + QByteArray(3 * limit, 'y') + "\r\nshort\r\n"
        << true;
    // Four bytes, two UTF-16 units each: a break must never fall between the two.
    QTest::newRow("characters beyond the BMP")
        << QByteArray("\xF0\x9F\x98\x80").repeated(limit / 2 + 3) << true;
}

void TestZoom::lineTooLongIsShownReadOnly() {
    QFETCH(QByteArray, clip);
    QFETCH(bool, split);
    TFormFixture f;
    auto& form = f.Create();
    Fill(f, {clip});
    form.CurrentRow = 0;
    form.ZoomIn();
    QTRY_VERIFY_WITH_TIMEOUT(!form.Memo1->IsLoading(), 20000);
    QCOMPARE(form.Memo1->IsSplit(), split);
    QCOMPARE(form.Memo1->isReadOnly(), split);
    QCOMPARE(form.pnlStatus->text() == "A line is too long to edit: shown read-only.", split);
    for (QTextBlock b = form.Memo1->document()->begin(); b.isValid(); b = b.next()) {
        const QString line = b.text();
        QVERIFY(line.size() <= (split ? TZoomView::DisplayLine : TZoomView::SplitAbove));
        QVERIFY(line.isEmpty() || !line.back().isHighSurrogate());
    }
    QVERIFY(form.Memo1->Text() == clip);
    form.ZoomOut();
    QVERIFY(form.ClipAt(0) == clip);
}

namespace {
// What a text's new lines end with: the one kind of line end the text has, else CR LF.
QString NewLineOf(const QString& text) {
    QSet<QString> kinds;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.mid(i, 2) == "\r\n")
            kinds << text.mid(i++, 2);
        else if (QString("\r\n\u2029").contains(text.at(i)))
            kinds << text.mid(i, 1);
    }
    return kinds.size() == 1 ? *kinds.begin() : QString("\r\n");
}

QString RandomText(QRandomGenerator& random) {
    static const QStringList pieces = {"a",  "b",  " ",    "\u00A0", "\u2028", "\u2029",
                                       "\r", "\n", "\r\n", "\u00E9", "\t",     "\U0001F600"};
    QString text;
    for (int n = random.bounded(12); n > 0; --n)
        text += pieces.at(random.bounded(int(pieces.size())));
    return text;
}

// The editor's text after keys at one end: the end (atStart false) or the start.
QString Typed(TPiecewiseEdit& edit, const QString& newLine, bool atStart, bool enter) {
    edit.moveCursor(atStart ? QTextCursor::Start : QTextCursor::End);
    if (enter)
        QTest::keyClick(&edit, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(&edit, "x");
    return edit.EditedText(newLine);
}
} // namespace

// Every character the user did not touch comes back as it was given: no-break spaces, line
// separators and each line's own line end; a new line ends like the text's lines.
void TestZoom::untouchedCharactersComeBack() {
    QRandomGenerator random(21);
    TZoomView zoom;
    TCellEditor cell;
    for (int i = 0; i < 400; ++i) {
        const QString text = RandomText(random);
        const bool atStart = random.bounded(2), enter = random.bounded(2);
        const QString added = enter ? NewLineOf(text) + "x" : QString("x");
        const QString expected = atStart ? added + text : text + added;
        zoom.Load(text.toUtf8());
        QCOMPARE(Typed(zoom, "\r\n", atStart, enter), expected);
        zoom.Load(text.toUtf8());
        QCOMPARE(zoom.Text(), text.toUtf8()); // nothing typed
        cell.SetCellText(text);
        QCOMPARE(Typed(cell, "\r\n", atStart, enter), expected);
    }
}

void TestZoom::sortWhileZoomedEditsTheZoomedClip() {
    TFormFixture f;
    f.Settings.Rows = 4;
    auto& form = f.Create();
    Fill(f, {"e", "a", "d", "b"});
    form.CurrentRow = 0;
    form.ZoomIn();
    form.SortClips1Click();
    form.Memo1->moveCursor(QTextCursor::End);
    QTest::keyClicks(form.Memo1, "!");
    form.ZoomOut();
    QCOMPARE(f.Clips(4), (Texts{"a", "b", "d", "e!"}));
}

// With editing in the grid on, a double click zooms and opens no editor under the view.
void TestZoom::doubleClickOnlyZooms() {
    TFormFixture f;
    f.Settings.GridEdit = true;
    auto& form = f.Create();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    Fill(f, {"clip"});
    const QModelIndex cell = form.StringGrid1->Model().index(0, 1);
    const QPoint at = form.StringGrid1->visualRect(cell).center();
    QTest::mouseClick(form.StringGrid1->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(form.StringGrid1->viewport(), Qt::LeftButton, {}, at);
    QVERIFY(form.IsZoomed());
    QCOMPARE(form.StringGrid1->EditingRow(), -1);
    QVERIFY(!form.StringGrid1->indexWidget(cell));
    QTest::keyClicks(form.Memo1, "z");
    form.ZoomOut();
    QCOMPARE(form.ClipAt(0), QByteArray("zclip"));
}

QTEST_MAIN(TestZoom)
#include "tst_Zoom.moc"
