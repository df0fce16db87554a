// The mouse on the clip list: a press picks a clip, the right button drags one out, and text
// dropped from another program becomes a clip.
#include "DragSource.h"
#include "GridHint.h"
#include "KXStringGrid.h"
#include "core/config/Config.h"
#include "gui/main/fMain.h"

#include <QLabel>

#include <new>

void TQuilleryMainForm::StringGrid1MouseDown(Qt::MouseButton button,
                                             Qt::KeyboardModifiers modifiers, QPoint pos) {
    if (modifiers & Qt::ShiftModifier)
        return; // the grid extends the selection
    CurrentCol = StringGrid1->columnAt(pos.x());
    CurrentRow = StringGrid1->rowAt(pos.y());
    if (CurrentCol < 0 || CurrentRow < 0)
        CurrentCol = CurrentRow = -1;
    if (button == Qt::RightButton && IsRowIndex(CurrentRow))
        StringGrid1->SetSelection({1, CurrentRow, 1, CurrentRow});
    if (!IsRowIndex(CurrentRow))
        return;
    Drag->Pressed(pos);
    Guarded([this] {
        WriteClipboardGuarded(CaptureArmed, false, ClipAt(CurrentRow));
        SetTrayHint(
            QStringLiteral("Quillery - %1 bytes").arg(Platform.Clipboard.ReadText().size()));
        if (Config->MinCopy)
            MinimizeApplication();
    });
}

void TQuilleryMainForm::StringGrid1MouseMove(Qt::MouseButtons buttons,
                                             Qt::KeyboardModifiers modifiers, QPoint pos) {
    if (Config->ShowGridHints)
        GridHint->ShowAt(pos);
    if (!Drag->FarEnough(pos))
        return;
    // The clip the press picked, though the mouse may have moved onto the next row.
    const int row = CurrentRow;
    if (!IsRowIndex(row) || buttons != Qt::RightButton ||
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier) ||
        ClipAt(row).isEmpty())
        return;
    Guarded([this, row] { DragOut(row); });
}

void TQuilleryMainForm::DragOut(int row) {
    StringGrid1->NoteDragOut();
    GridHint->Hide();
    // The clip cannot be dropped back onto the list.
    StringGrid1->SetDropTarget(false);
    const Qt::DropActions effects = std::exchange(StringGrid1->DropEffects, {});
    Qt::DropAction result = Qt::IgnoreAction;
    bool outOfMemory = false;
    try {
        result = Drag->Drag(ClipAt(row));
    } catch (const std::bad_alloc&) {
        outOfMemory = true;
    }
    StringGrid1->DropEffects = effects; // as before the drag: a drop may move or link again
    StringGrid1->SetDropTarget(true);
    pnlStatus->setText(MessageText(outOfMemory ? QStringLiteral("Can't drop, out of memory.")
                                               : DragResultText(result)));
}

QString TQuilleryMainForm::DragResultText(Qt::DropAction result) {
    switch (result) {
    case Qt::CopyAction:
        return QStringLiteral("Copied successfully");
    case Qt::LinkAction:
        return QStringLiteral("Scrap file created successfully");
    case Qt::IgnoreAction:
        return QStringLiteral("Drop cancelled");
    default:
        return QStringLiteral("Can't drop - unknown reason.");
    }
}

void TQuilleryMainForm::StringGrid1Drop(const QString& text) {
    const QByteArray dropped = text.toUtf8();
    // With no current clip (the last press fell outside the cells) the text becomes a new
    // first clip: nothing is overwritten and nothing is lost.
    if (!IsRowIndex(CurrentRow)) {
        StringGrid1->InsertRow(0);
        SetClipAt(0, dropped);
    } else if (ClipAt(CurrentRow).isEmpty()) {
        SetClipAt(CurrentRow, dropped);
    } else {
        switch (Platform.Prompts.Ask(MessageText(QStringLiteral("Confirmation")),
                                     MessageText(QStringLiteral("Replace selected cell contents?")),
                                     TButtons::YesNo)) {
        case TAnswer::Yes:
            SetClipAt(CurrentRow, dropped);
            break;
        case TAnswer::No:
            StringGrid1->InsertRow(0);
            SetClipAt(0, dropped);
            break;
        default:
            return; // the box closed: the drop is left undone
        }
    }
    // The list holds a clip it did not hold: saving at exit must not miss it.
    ListChanged = true;
}
