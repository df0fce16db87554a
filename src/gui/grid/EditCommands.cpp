// The Edit menu's commands on clips, and the grid's keys and focus.
#include "KXStringGrid.h"
#include "core/config/Config.h"
#include "core/text/ClipText.h"
#include "gui/main/fMain.h"

#include <QAction>
#include <QApplication>
#include <QItemSelectionModel>
#include <QLabel>

void TQuilleryMainForm::SelectClip1Click() {
    CurrentRow = StringGrid1->Selection().Top;
    if (!IsRowIndex(CurrentRow))
        return;
    WriteClipboardGuarded(CaptureArmed, false, ClipAt(CurrentRow));
    if (Config->MinCopy)
        MinimizeApplication();
}

void TQuilleryMainForm::SelectAll1Click() {
    // Every clip, each line break inside it made CR LF, each clip followed by CR LF.
    QList<QByteArray> lines;
    for (const QByteArray& clip : ClipTexts()) {
        if (!clip.isEmpty())
            lines += ClipText::SplitLines(clip + ClipText::CRLF);
    }
    WriteClipboardOwn(ClipText::WithLineEnds(lines));
}

void TQuilleryMainForm::InsertClip1Click() {
    if (IsRowIndex(CurrentRow))
        StringGrid1->InsertRow(CurrentRow);
}

void TQuilleryMainForm::Delete1Click() {
    // Only what is seen selected: a click below the last row leaves nothing selected.
    if (!StringGrid1->selectionModel()->hasSelection())
        return;
    // The row count stays: an empty row comes in at the end for each clip deleted.
    const TGridRect selection = StringGrid1->Selection();
    StringGrid1->RemoveRowsKeepingCount(selection.Top, selection.Bottom);
    ListChanged = true;
}

void TQuilleryMainForm::MoveDown1Click() {
    if (IsRowIndex(CurrentRow) && CurrentRow < StringGrid1->RowCount() - 1) {
        StringGrid1->MoveRowTo(CurrentRow, CurrentRow + 1);
        ++CurrentRow;
    }
}

void TQuilleryMainForm::MoveUp1Click() {
    if (IsRowIndex(CurrentRow) && CurrentRow > 0) {
        StringGrid1->MoveRowTo(CurrentRow, CurrentRow - 1);
        --CurrentRow;
    }
}

void TQuilleryMainForm::SortClips1Click() {
    StringGrid1->SortByColumn(1, true);
}

void TQuilleryMainForm::SortDescending1Click() {
    StringGrid1->SortByColumn(1, false);
}

void TQuilleryMainForm::ClearClipList1Click() {
    const auto ask = [this](const char* text) {
        return Platform.Prompts.Ask(MessageText(QStringLiteral("Confirmation")),
                                    MessageText(QString::fromLatin1(text)),
                                    TButtons::YesNo) == TAnswer::Yes;
    };
    if (!ask("Are you sure you want to clear the clip list?"))
        return;
    ListChanged = false;
    StringGrid1->Model().ClearAll();
    ListReplaced();
    if (Config->ClearFile && ask("Clear Clip File?")) {
        SaveClipList1Click();
        return;
    }
    Config->DefaultFile.clear();
    pnlStatus->clear();
}

void TQuilleryMainForm::StringGrid1KeyDown(int& key) {
    if (key == Qt::Key_Delete && StringGrid1->EditingRow() < 0) {
        key = 0;
        Guarded([this] { Delete1Click(); });
    }
}

void TQuilleryMainForm::FocusChanged(QWidget* from, QWidget* to) {
    // Leaving the grid (its cell editor included) for another control of this window.
    const auto inGrid = [this](QWidget* w) {
        return w && (w == StringGrid1 || StringGrid1->isAncestorOf(w));
    };
    if (inGrid(from) && to && !inGrid(to) && isAncestorOf(to) && StringGrid1->Modified)
        ListChanged = true;
}
