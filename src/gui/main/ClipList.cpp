// The clip list: column 1 of the grid, row 0 the newest clip.
#include "core/text/ClipText.h"
#include "fMain.h"
#include "gui/grid/KXStringGrid.h"

QByteArray TQuilleryMainForm::ClipAt(int row) const {
    return StringGrid1->Cells(1, row);
}

void TQuilleryMainForm::SetClipAt(int row, const QByteArray& text) {
    StringGrid1->SetCells(1, row, text);
}

bool TQuilleryMainForm::IsRowIndex(int row) const {
    return row >= 0 && row < StringGrid1->RowCount();
}

void TQuilleryMainForm::SelectTopRow() {
    StringGrid1->SetSelection({0, 0, 1, 0});
}

void TQuilleryMainForm::AddClipAtTop(const QByteArray& text) {
    // A cell being edited keeps its editor and what was typed: it moves down with its row,
    // the selection stays on it, and it never falls off the end.
    const int editing = StringGrid1->EditingRow();
    StringGrid1->InsertRow(0);
    const int last = StringGrid1->RowCount() - 1;
    if (editing + 1 != last) {
        // A file read in part loses one more of its clips to a save.
        if (PartialRead && PartialRead->Read > 0 && !ClipText::IsBlank(ClipAt(last)))
            --PartialRead->Read;
        StringGrid1->Model().DeleteRow(last); // the row count stays: the oldest clip is lost
    }
    SetClipAt(0, text);
    if (editing < 0)
        SelectTopRow();
}

void TQuilleryMainForm::AppendToClip(int row, const QByteArray& text) {
    SetClipAt(row, ClipAt(row) + ClipText::CRLF + text);
}

QList<QByteArray> TQuilleryMainForm::ClipTexts() const {
    return StringGrid1->Model().Column(1);
}

void TQuilleryMainForm::SetClipTexts(const QList<QByteArray>& texts) {
    StringGrid1->Model().SetColumn(1, texts);
}
