#include "fakes/FormFixture.h"
#include "gui/grid/DragSource.h"
#include "gui/grid/GridHint.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

using Texts = QList<QByteArray>;

namespace {

// A shown window over three clips a, b, c in rows 0..2 of five.
struct TGridFixture : TFormFixture {
    TQuilleryMainForm& Start() {
        Settings.Rows = 5;
        auto& form = Create();
        for (const char* clip : {"c", "b", "a"})
            Clipboard.CopyFromOtherProgram(clip);
        form.resize(300, 400);
        form.show();
        QApplication::setActiveWindow(&form);
        [&] { QVERIFY(QTest::qWaitForWindowActive(&form)); }();
        return form;
    }
    QWidget* Cells() const { return Form->StringGrid1->viewport(); }
    QPoint CellCentre(int row) const {
        return Form->StringGrid1->visualRect(Form->StringGrid1->Model().index(row, 1)).center();
    }
    void Move(QPoint at, Qt::MouseButtons buttons = Qt::NoButton,
              Qt::KeyboardModifiers keys = Qt::NoModifier) {
        QMouseEvent move(QEvent::MouseMove, at, Cells()->mapToGlobal(at), Qt::NoButton, buttons,
                         keys);
        QApplication::sendEvent(Cells(), &move);
    }
};

// Counts the times a widget is shown.
struct TShowCounter : QObject {
    int Shows = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        Shows += e->type() == QEvent::Show;
        return false;
    }
};

} // namespace

class TestDragDrop : public QObject {
    Q_OBJECT
private slots:
    void pressPicksAClip_data();
    void pressPicksAClip();
    void pressWithMinCopyAndFailedWrite();
    void dragStartsFromTenPixels_data();
    void dragStartsFromTenPixels();
    void dragOutcomes_data();
    void dragOutcomes();
    void popupOpensOnReleaseWithoutDrag();
    void dropEffect_data();
    void dropEffect();
    void dropQuestion_data();
    void dropQuestion();
    void dropEventReachesTheList();
    void hintForALongClip();
    void hintBoundedForAHugeClip();
};

void TestDragDrop::pressPicksAClip_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("keys");
    QTest::addColumn<int>("row"); // -1: below the cells
    QTest::addColumn<QByteArray>("clipboard");
    QTest::addColumn<int>("currentRow");
    QTest::addColumn<QString>("hint");
    const QString copied = "Quillery - 1 bytes";
    QTest::newRow("left on a clip")
        << int(Qt::LeftButton) << 0 << 1 << QByteArray("b") << 1 << copied;
    QTest::newRow("right on a clip")
        << int(Qt::RightButton) << 0 << 2 << QByteArray("c") << 2 << copied;
    QTest::newRow("middle on a clip")
        << int(Qt::MiddleButton) << 0 << 0 << QByteArray("a") << 0 << copied;
    QTest::newRow("an empty row") << int(Qt::LeftButton) << 0 << 4 << QByteArray() << 4
                                  << "Quillery - 0 bytes";
    QTest::newRow("shift: selection only")
        << int(Qt::LeftButton) << int(Qt::ShiftModifier) << 2 << QByteArray("a") << 0 << copied;
    QTest::newRow("outside the cells")
        << int(Qt::LeftButton) << 0 << -1 << QByteArray("a") << -1 << copied;
}

void TestDragDrop::pressPicksAClip() {
    QFETCH(int, button);
    QFETCH(int, keys);
    QFETCH(int, row);
    QFETCH(QByteArray, clipboard);
    QFETCH(int, currentRow);
    QFETCH(QString, hint);
    TGridFixture f;
    auto& form = f.Start();
    form.ListChanged = false;
    const int writes = f.Clipboard.Writes;
    const QPoint at = row >= 0 ? f.CellCentre(row) : f.CellCentre(4) + QPoint(0, 60);
    QTest::mousePress(f.Cells(), Qt::MouseButton(button), Qt::KeyboardModifiers(keys), at);
    QCOMPARE(f.Clipboard.Current(), clipboard);
    QCOMPARE(form.CurrentRow, currentRow);
    QCOMPARE(form.TrayHint(), hint);
    QCOMPARE(f.Clips(5), Texts({"a", "b", "c", "", ""})); // not recorded as a new clip
    QVERIFY(!form.ListChanged);
    QVERIFY(form.CaptureArmed);
    if (button == Qt::RightButton)
        QCOMPARE(form.StringGrid1->Selection(), (TGridRect{1, row, 1, row}));
    QCOMPARE(f.Clipboard.Writes - writes, currentRow >= 0 && !keys ? 1 : 0);
    QTest::mouseRelease(f.Cells(), Qt::MouseButton(button), Qt::KeyboardModifiers(keys), at);
    form.popupClipList->hide();
}

void TestDragDrop::pressWithMinCopyAndFailedWrite() {
    TGridFixture f;
    f.Settings.MinCopy = true;
    auto& form = f.Start();
    QTest::mouseClick(f.Cells(), Qt::LeftButton, {}, f.CellCentre(1));
    QCOMPARE(f.Clipboard.Current(), "b");
    QVERIFY(f.Settings.Minimized);

    f.Clipboard.FailWrites = true;
    QTest::mouseClick(f.Cells(), Qt::LeftButton, {}, f.CellCentre(2));
    QCOMPARE(f.Prompts.Shown.size(), 1);
    QCOMPARE(f.Prompts.Shown[0].Kind, "error");
    QVERIFY(form.CaptureArmed); // raised again after the failure
    f.Clipboard.FailWrites = false;
    f.Clipboard.CopyFromOtherProgram("still recorded");
    QCOMPARE(form.ClipAt(0), "still recorded");
}

void TestDragDrop::dragStartsFromTenPixels_data() {
    QTest::addColumn<QPoint>("moved");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("keys");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("drags");
    const int right = Qt::RightButton;
    QTest::newRow("9 right") << QPoint(9, 0) << right << 0 << 1 << false;
    QTest::newRow("9 right, 9 down") << QPoint(9, 9) << right << 0 << 1 << false;
    QTest::newRow("10 right") << QPoint(10, 0) << right << 0 << 1 << true;
    QTest::newRow("10 left") << QPoint(-10, 0) << right << 0 << 1 << true;
    QTest::newRow("10 down") << QPoint(0, 10) << right << 0 << 1 << true;
    QTest::newRow("left button") << QPoint(30, 0) << int(Qt::LeftButton) << 0 << 1 << false;
    QTest::newRow("both buttons") << QPoint(30, 0) << int(Qt::LeftButton | Qt::RightButton) << 0
                                  << 1 << false;
    QTest::newRow("with Ctrl") << QPoint(30, 0) << right << int(Qt::ControlModifier) << 1 << false;
    QTest::newRow("with Alt") << QPoint(30, 0) << right << int(Qt::AltModifier) << 1 << false;
    QTest::newRow("an empty row") << QPoint(30, 0) << right << 0 << 3 << false;
}

void TestDragDrop::dragStartsFromTenPixels() {
    QFETCH(QPoint, moved);
    QFETCH(int, buttons);
    QFETCH(int, keys);
    QFETCH(int, row);
    QFETCH(bool, drags);
    TGridFixture f;
    auto& form = f.Start();
    int drags_ = 0;
    form.Drag->Exec = [&](QMimeData* data) {
        delete data;
        ++drags_;
        return Qt::CopyAction;
    };
    const QPoint from = f.CellCentre(row) - QPoint(20, 0);
    QTest::mousePress(f.Cells(), Qt::RightButton, {}, from);
    f.Move(from + moved, Qt::MouseButtons(buttons), Qt::KeyboardModifiers(keys));
    QCOMPARE(drags_, drags ? 1 : 0);
}

void TestDragDrop::dragOutcomes_data() {
    QTest::addColumn<int>("result"); // -1: out of memory
    QTest::addColumn<QString>("status");
    QTest::newRow("copy") << int(Qt::CopyAction) << "Copied successfully";
    QTest::newRow("link") << int(Qt::LinkAction) << "Scrap file created successfully";
    QTest::newRow("cancelled") << int(Qt::IgnoreAction) << "Drop cancelled";
    QTest::newRow("move") << int(Qt::MoveAction) << "Can't drop - unknown reason.";
    QTest::newRow("out of memory") << -1 << "Can't drop, out of memory.";
}

// What is offered: the clip as text and as a file "Text Scrap File.txt" with its bytes; the
// list takes no drop meanwhile, and only copies after.
void TestDragDrop::dragOutcomes() {
    QFETCH(int, result);
    QFETCH(QString, status);
    TGridFixture f;
    auto& form = f.Start();
    const QByteArray clip = QByteArray("Gr\xc3\xbc\xc3\x9f"
                                       "e\r\nzwei") +
                            QByteArray(3, '\0');
    form.SetClipAt(1, clip);
    QString file;
    form.Drag->Exec = [&](QMimeData* data) {
        std::unique_ptr<QMimeData> owned(data);
        [&] {
            QVERIFY(!form.StringGrid1->acceptDrops());
            QVERIFY(!form.StringGrid1->viewport()->acceptDrops());
            QCOMPARE(data->text(), QString::fromUtf8(clip));
            QCOMPARE(data->urls().size(), 1);
            file = data->urls()[0].toLocalFile();
            QCOMPARE(QFileInfo(file).fileName(), "Text Scrap File.txt");
            QCOMPARE(TTestDir::Read(file), clip);
            // Private, as the clip may be a password: the folder 0700, the file 0600.
            const auto others = QFile::ReadOther | QFile::ReadGroup | QFile::ExeOther;
            QCOMPARE(QFileInfo(QFileInfo(file).path()).permissions() & others,
                     QFile::Permissions());
            QCOMPARE(QFileInfo(file).permissions() & others, QFile::Permissions());
        }();
        if (result < 0)
            throw std::bad_alloc();
        return Qt::DropAction(result);
    };
    QSignalSpy popups(form.StringGrid1, &TKXStringGrid::PopupRequested);
    const QPoint from = f.CellCentre(1);
    QTest::mousePress(f.Cells(), Qt::RightButton, {}, from);
    f.Move(from + QPoint(0, 12), Qt::RightButton);
    QTest::mouseRelease(f.Cells(), Qt::RightButton, {}, from + QPoint(0, 12));
    QCOMPARE(form.pnlStatus->text(), status);
    QVERIFY(QFile::exists(file)); // kept for a target that reads it after the drop
    QVERIFY(form.StringGrid1->acceptDrops());
    // As before the drag: a drop with Shift held (a move) is taken again.
    QCOMPARE(
        TKXStringGrid::DropEffect(Qt::MoveAction, form.StringGrid1->DropEffects, Qt::ShiftModifier),
        Qt::MoveAction);
    QCOMPARE(popups.size(), 0); // a drag's release opens no menu
    QCOMPARE(f.Clips(3), Texts({"a", clip, "c"}));
    // The scrap folder goes with the program, also when the display went away under it.
    if (result == int(Qt::CopyAction)) {
        form.EndWithoutDisplay();
        QVERIFY(!QFile::exists(file));
    }
    form.close();
    f.Form.reset();
    QVERIFY(!QFile::exists(file));
}

void TestDragDrop::popupOpensOnReleaseWithoutDrag() {
    TGridFixture f;
    auto& form = f.Start();
    QSignalSpy popups(form.StringGrid1, &TKXStringGrid::PopupRequested);
    QTest::mousePress(f.Cells(), Qt::RightButton, {}, f.CellCentre(2));
    QCOMPARE(popups.size(), 0); // not on the press: a drag may begin
    QTest::mouseRelease(f.Cells(), Qt::RightButton, {}, f.CellCentre(2));
    QCOMPARE(popups.size(), 1);
    QTRY_VERIFY(form.popupClipList->isVisible());
    form.popupClipList->hide();
    QContextMenuEvent key(QContextMenuEvent::Keyboard, {}, {});
    QApplication::sendEvent(f.Cells(), &key);
    QCOMPARE(popups.size(), 2);
    form.popupClipList->hide();
}

void TestDragDrop::dropEffect_data() {
    QTest::addColumn<int>("offered");
    QTest::addColumn<int>("allowed");
    QTest::addColumn<int>("keys");
    QTest::addColumn<int>("effect");
    const int c = Qt::CopyAction, m = Qt::MoveAction, l = Qt::LinkAction, all = c | m | l;
    const int shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
    QTest::newRow("plain: copy") << all << all << 0 << c;
    QTest::newRow("shift: move") << all << all << shift << m;
    QTest::newRow("shift+ctrl: link") << all << all << (shift | ctrl) << l;
    QTest::newRow("ctrl alone: copy") << all << all << ctrl << c;
    QTest::newRow("shift, no move: copy") << (c | l) << all << shift << c;
    QTest::newRow("link wanted, copy only on the list") << all << c << (shift | ctrl) << c;
    QTest::newRow("move only offered") << m << all << 0 << m;
    QTest::newRow("link only offered") << l << all << 0 << l;
    QTest::newRow("nothing in common") << m << c << 0 << int(Qt::IgnoreAction);
    QTest::newRow("list takes nothing") << all << 0 << 0 << int(Qt::IgnoreAction);
}

void TestDragDrop::dropEffect() {
    QFETCH(int, offered);
    QFETCH(int, allowed);
    QFETCH(int, keys);
    QFETCH(int, effect);
    QCOMPARE(int(TKXStringGrid::DropEffect(Qt::DropActions(offered), Qt::DropActions(allowed),
                                           Qt::KeyboardModifiers(keys))),
             effect);
}

void TestDragDrop::dropQuestion_data() {
    QTest::addColumn<int>("currentRow");
    QTest::addColumn<int>("answer"); // -1: no question expected
    QTest::addColumn<Texts>("clips");
    QTest::newRow("empty current clip: filled, no question")
        << 3 << -1 << Texts({"a", "b", "c", "new", ""});
    QTest::newRow("Yes replaces") << 1 << int(TAnswer::Yes) << Texts({"a", "new", "c", "", ""});
    QTest::newRow("No inserts a first row")
        << 1 << int(TAnswer::No) << Texts({"new", "a", "b", "c", "", ""});
    QTest::newRow("box closed: nothing")
        << 1 << int(TAnswer::Closed) << Texts({"a", "b", "c", "", ""});
    QTest::newRow("no current row: a new first row")
        << -1 << -1 << Texts({"new", "a", "b", "c", "", ""});
}

void TestDragDrop::dropQuestion() {
    QFETCH(int, currentRow);
    QFETCH(int, answer);
    QFETCH(Texts, clips);
    TGridFixture f;
    auto& form = f.Start();
    form.CurrentRow = currentRow;
    form.ListChanged = false;
    if (answer >= 0)
        f.Prompts.Answers.enqueue(TAnswer(answer));
    form.StringGrid1Drop("new");
    QCOMPARE(form.StringGrid1->RowCount(), clips.size());
    QCOMPARE(f.Clips(clips.size()), clips);
    QCOMPARE(f.Prompts.Shown.size(), answer >= 0 ? 1 : 0);
    if (answer >= 0)
        QCOMPARE(f.Prompts.Shown[0], (TScriptedPrompts::TShown{"ask", "Confirmation",
                                                               "Replace selected cell contents?"}));
    QCOMPARE(form.ListChanged, answer != int(TAnswer::Closed));
}

// A real drop event on the cells: accepted with its effect, the text handled after it.
void TestDragDrop::dropEventReachesTheList() {
    TGridFixture f;
    auto& form = f.Start();
    form.CurrentRow = 4;
    QMimeData data;
    data.setText(QString::fromUtf8("dropped \u00e4"));
    const QPoint at = f.CellCentre(2);
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::NoButton,
                          Qt::ShiftModifier);
    QApplication::sendEvent(f.Cells(), &enter);
    QVERIFY(enter.isAccepted());
    QCOMPARE(enter.dropAction(), Qt::MoveAction);
    QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(f.Cells(), &drop);
    QVERIFY(drop.isAccepted());
    QCOMPARE(drop.dropAction(), Qt::CopyAction);
    QTRY_COMPARE(form.ClipAt(4), "dropped \xc3\xa4");

    QMimeData picture;
    picture.setImageData(QImage(2, 2, QImage::Format_RGB32));
    QDragEnterEvent image(at, Qt::CopyAction, &picture, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(f.Cells(), &image);
    QVERIFY(!image.isAccepted()); // only text is taken

    // Near the bottom edge of a list that scrolls, the list scrolls a row at a time.
    form.SetGridRows(60);
    QScrollBar* bar = form.StringGrid1->verticalScrollBar();
    QTRY_VERIFY(bar->isVisible());
    const int top = bar->value();
    const QPoint bottom(50, f.Cells()->height() - 3);
    QDragEnterEvent again(bottom, Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(f.Cells(), &again);
    QDragMoveEvent nearBottom(bottom, Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(f.Cells(), &nearBottom);
    QTRY_VERIFY_WITH_TIMEOUT(bar->value() >= top + 2, 1000);
    QDragLeaveEvent leave;
    QApplication::sendEvent(f.Cells(), &leave);
    const int stopped = bar->value();
    QTest::qWait(250);
    QCOMPARE(bar->value(), stopped);
}

void TestDragDrop::hintForALongClip() {
    TGridFixture f;
    auto& form = f.Start();
    const QByteArray longClip = "long " + QByteArray(200, 'x') + "\r\nsecond line";
    form.SetClipAt(1, longClip);
    f.Move(f.CellCentre(0)); // short: no hint
    QVERIFY(!form.GridHint->Window() || !form.GridHint->Window()->isVisible());
    f.Move(f.CellCentre(1));
    QVERIFY(form.GridHint->Window() && form.GridHint->Window()->isVisible());
    QCOMPARE(form.GridHint->Window()->text(), "long " + QString(200, 'x') + "\nsecond line");
    const QRect cell = form.StringGrid1->visualRect(form.StringGrid1->Model().index(1, 1));
    // Over its cell, moved left only as far as it would run over the screen's right edge.
    const QPoint over = f.Cells()->mapToGlobal(cell.topLeft()) - QPoint(1, 1);
    const QRect screen = form.screen()->geometry();
    QCOMPARE(form.GridHint->Window()->pos(),
             QPoint(std::min(over.x(), screen.right() + 1 - form.GridHint->Window()->width()),
                    over.y()));
    QVERIFY(screen.contains(form.GridHint->Window()->geometry()));
    QVERIFY(form.GridHint->Window()->height() >
            2 * form.GridHint->Window()->fontMetrics().height());
    THintWindow* const window = form.GridHint->Window();
    TShowCounter shows;
    window->installEventFilter(&shows);
    for (int dx = 0; dx < 40; dx += 5)
        f.Move(f.CellCentre(1) + QPoint(dx, 2)); // within the cell
    QCOMPARE(shows.Shows, 0);
    QCOMPARE(form.GridHint->Window(), window); // made once
    f.Move(f.CellCentre(0));
    QVERIFY(!window->isVisible()); // the short clip's cell: hidden

    // Leaving the grid: Timer1 hides it, each time.
    for (int time = 0; time < 2; ++time) {
        f.Move(f.CellCentre(1));
        QVERIFY(window->isVisible());
        QCursor::setPos(form.mapToGlobal(QPoint(-50, -50)));
        QTRY_VERIFY_WITH_TIMEOUT(!window->isVisible(), 300);
    }

    // Zooming in on the clip puts the view where the grid was: gone at once.
    f.Move(f.CellCentre(1));
    QVERIFY(window->isVisible());
    form.CurrentRow = 1;
    form.ZoomIn();
    QVERIFY(!window->isVisible());
    form.ZoomOut();

    // Off, or while a cell is edited: none.
    f.Settings.ShowGridHints = false;
    f.Move(f.CellCentre(1));
    QVERIFY(!window->isVisible());
    f.Settings.ShowGridHints = true;
    f.Settings.GridEdit = true;
    form.RefreshOptions();
    form.StringGrid1->edit(form.StringGrid1->Model().index(0, 1));
    QVERIFY(form.StringGrid1->EditingRow() >= 0);
    f.Move(f.CellCentre(1));
    QVERIFY(!window->isVisible());
}

// A 50 MB clip of one line, and one of many lines: the hint shows a bounded start of it.
void TestDragDrop::hintBoundedForAHugeClip() {
    TGridFixture f;
    auto& form = f.Start();
    for (const QByteArray& huge :
         {QByteArray(50 << 20, 'w'), QByteArray("line\n").repeated(10 << 20),
          QByteArray("\xc3\xa4").repeated(25 << 20)}) {
        form.SetClipAt(1, huge);
        QElapsedTimer clock;
        clock.start();
        f.Move(f.CellCentre(1) + QPoint(1, 0));
        f.Move(f.CellCentre(1));
        QVERIFY(form.GridHint->Window()->isVisible());
        const QString text = form.GridHint->Window()->text();
        QVERIFY(text.endsWith(QChar(0x2026)));
        QVERIFY(text.size() <= THintWindow::MaxBytes + 1);
        QVERIFY(text.count('\n') < THintWindow::MaxLines);
        QVERIFY(!text.contains(QChar(0xfffd))); // cut between characters
        QVERIFY(form.screen()->geometry().contains(form.GridHint->Window()->geometry()));
        f.Move(f.CellCentre(0));
    }
}

QTEST_MAIN(TestDragDrop)
#include "tst_DragDrop.moc"
