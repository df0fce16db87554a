// The zoom view: the current clip's whole text in place of the grid.
#include "GridHint.h"
#include "KXStringGrid.h"
#include "ZoomView.h"
#include "core/config/Config.h"
#include "gui/main/fMain.h"

#include <QLabel>
#include <QStackedWidget>
#include <QToolButton>

bool TQuilleryMainForm::IsZoomed() const {
    return !spdbtnShrink->isHidden();
}

// The view in place of the grid, or the grid back; the visible button tells which.
void TQuilleryMainForm::ShowZoomView(bool shown) {
    spdbtnShrink->setVisible(shown);
    spdbtnZoom->setVisible(!shown);
    if (shown)
        GridHint->Hide(); // its cell is no longer on the screen
    ClipArea->setCurrentWidget(shown ? static_cast<QWidget*>(Memo1) : StringGrid1);
    ClipArea->currentWidget()->setFocus();
}

void TQuilleryMainForm::ZoomIn() {
    if (!IsRowIndex(CurrentRow))
        return;
    // The text goes back to the clip it came from, wherever that clip moves meanwhile.
    Memo1->Clip = StringGrid1->Model().index(CurrentRow, 1);
    Memo1->Load(ClipAt(CurrentRow));
    ShowZoomView(true);
}

void TQuilleryMainForm::ZoomOut() {
    if (!EditedListFile.isEmpty()) {
        // A list file's text goes back to that file or nowhere.
        if (Memo1->IsModified() && (Config->AutoSave || AskSaveClipList()))
            SaveEditedList();
        EndListEdit();
    } else if (Memo1->IsModified()) {
        const QByteArray text = Memo1->Text();
        // A clip that fell off the end of the list while it was open comes back as a new one.
        if (Memo1->Clip.isValid())
            SetClipAt(Memo1->Clip.row(), text);
        else
            AddClipAtTop(text);
        ListChanged = true; // Auto Save may have written the list while the view was open
    }
    ShowZoomView(false);
}

void TQuilleryMainForm::FollowZoomedClip(const QList<int>& origin) {
    if (!Memo1->Clip.isValid())
        return;
    const qsizetype row = origin.indexOf(Memo1->Clip.row());
    if (row >= 0)
        Memo1->Clip = StringGrid1->Model().index(int(row), 1);
}

void TQuilleryMainForm::Expand1Click() {
    if (!IsZoomed())
        ZoomIn();
}

void TQuilleryMainForm::Contract1Click() {
    if (IsZoomed())
        ZoomOut();
}

void TQuilleryMainForm::StringGrid1DblClick(const QModelIndex& index) {
    // The press on the clip made it the current one.
    if (index.isValid())
        CurrentRow = index.row();
    ZoomIn();
}

void TQuilleryMainForm::SayShownReadOnly() {
    pnlStatus->setText(MessageText(QStringLiteral("A line is too long to edit: shown read-only.")));
}

void TQuilleryMainForm::Memo1Change() {
    if (EditedListFile.isEmpty()) // a list file's text is no change of the list
        ListChanged = true;
}

// The list as it would be if the view were closed now: what Auto Save writes meanwhile.
QList<QByteArray> TQuilleryMainForm::ClipTextsWithZoomEdit() {
    QList<QByteArray> texts = ClipTexts();
    if (IsZoomed() && EditedListFile.isEmpty() && Memo1->IsModified() && Memo1->Clip.isValid())
        texts[Memo1->Clip.row()] = Memo1->Text();
    return texts;
}
