// The zoom view: the current clip's whole text in place of the grid.
#include "config/Config.h"
#include "grid/KXStringGrid.h"
#include "grid/ZoomView.h"
#include "main/fMain.h"

#include <QStackedWidget>
#include <QToolButton>

bool TQuilleryMainForm::IsZoomed() const {
    return !spdbtnShrink->isHidden();
}

void TQuilleryMainForm::ZoomIn() {
    if (!IsRowIndex(CurrentRow))
        return;
    spdbtnShrink->show();
    spdbtnZoom->hide();
    // The text goes back to the clip it came from, wherever that clip moves meanwhile.
    ZoomedClip = StringGrid1->Model().index(CurrentRow, 1);
    Memo1->Load(ClipAt(CurrentRow));
    ClipArea->setCurrentWidget(Memo1);
    Memo1->setFocus();
}

void TQuilleryMainForm::ZoomOut() {
    if (!EditedListFile.isEmpty()) {
        // A list file's text goes back to that file or nowhere.
        if (Memo1->IsModified() &&
            (Config->AutoSave ||
             Platform.Prompts.Ask(MessageText(QStringLiteral("Confirmation")),
                                  MessageText(QStringLiteral("Save Clipboard List?")),
                                  TButtons::YesNo) == TAnswer::Yes))
            SaveEditedList();
        EditedListFile.clear();
        Memo1->ClearModified();
    } else if (Memo1->IsModified()) {
        const QByteArray text = Memo1->Text();
        // A clip that fell off the end of the list while it was open comes back as a new one.
        if (ZoomedClip.isValid())
            SetClipAt(ZoomedClip.row(), text);
        else
            AddClipAtTop(text);
    }
    spdbtnShrink->hide();
    spdbtnZoom->show();
    ClipArea->setCurrentWidget(StringGrid1);
    StringGrid1->setFocus();
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

void TQuilleryMainForm::Memo1Change() {
    if (EditedListFile.isEmpty()) // a list file's text is no change of the list
        ListChanged = true;
}
