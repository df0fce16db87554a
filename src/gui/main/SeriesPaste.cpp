// Global hot keys: show or hide, series paste, paste by number.
#include "PasteQueue.h"
#include "core/config/Config.h"
#include "fMain.h"
#include "gui/grid/KXStringGrid.h"

#include <QLabel>

void TQuilleryMainForm::RegisterHotKeys() {
    if (!Platform.HotKeys.Available())
        return; // said at start, once
    if (Config->RowPaste) {
        for (int id = 1; id <= 10; ++id) {
            if (!Platform.HotKeys.Register(id, QChar('0' + id - 1)))
                Platform.Prompts.ShowMessage(MessageText(QStringLiteral("Unable to assign")) +
                                             QStringLiteral(" %1 hotkey.").arg(id));
        }
    }
    if (!Platform.HotKeys.Register(RestoreHotKey, Config->RestoreHK))
        Platform.Prompts.ShowMessage(
            MessageText(QStringLiteral("Unable to assign Restore hotkey.")));
    if (!Platform.HotKeys.Register(SeriesPasteHotKey, Config->SPasteHK))
        Platform.Prompts.ShowMessage(
            MessageText(QStringLiteral("Unable to assign Series Paste hotkey.")));
}

void TQuilleryMainForm::ReleaseHotKeys() {
    for (int id = 1; id <= SeriesPasteHotKey; ++id)
        Platform.HotKeys.Unregister(id);
}

void TQuilleryMainForm::HotKeyPressed(int id) {
    Guarded([this, id] {
        if (Config->RowPaste && id >= 1 && id <= 10)
            PasteByNumber(id);
        else if (id == RestoreHotKey)
            ToggleShowHide();
        else if (id == SeriesPasteHotKey)
            SeriesPaste();
    });
}

void TQuilleryMainForm::QueuePaste(const QByteArray& text) {
    SayPastesDropped(Pastes->Add(text));
    SayPasteByHand();
}

void TQuilleryMainForm::PasteDone() {
    Guarded([this] {
        SayPastesDropped(Pastes->Done());
        SayPasteByHand();
    });
}

void TQuilleryMainForm::SayPasteByHand() {
    if (!Platform.PasteTarget.CanPaste())
        pnlStatus->setText(MessageText(QStringLiteral(
            "The clip is on the clipboard: paste it with Ctrl+V. This desktop lets no program "
            "paste.")));
}

void TQuilleryMainForm::SayPastesDropped(int dropped) {
    if (dropped)
        pnlStatus->setText(MessageText(QStringLiteral("%1 pastes were dropped: their window was "
                                                      "closed, or they waited too long."))
                               .arg(dropped));
}

// Counted from the current row; without one (a press outside the cells), from the top.
void TQuilleryMainForm::PasteByNumber(int id) {
    const int from = IsRowIndex(CurrentRow) ? CurrentRow : 0;
    const int row = std::min(id + from - 1, StringGrid1->RowCount() - 1);
    QueuePaste(ClipAt(row));
}

void TQuilleryMainForm::SeriesPaste() {
    // A series without a current row starts at the top.
    if (!IsRowIndex(CurrentRow))
        CurrentRow = 0;
    QueuePaste(ClipAt(CurrentRow));
    if (Config->PowerPaste == 0 && CurrentRow > 1)
        --CurrentRow;
    else if (Config->PowerPaste == 1 && CurrentRow < StringGrid1->RowCount() - 1)
        ++CurrentRow;
}
