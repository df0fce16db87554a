// Recording what other programs copy.
#include "core/Errors.h"
#include "core/config/Config.h"
#include "fMain.h"
#include "gui/grid/KXStringGrid.h"

#include <QAction>
#include <QLabel>

void TQuilleryMainForm::JoinClipboardChain() {
    CaptureArmed = false;
    connect(&Platform.Clipboard, &IClipboard::Changed, this, &TQuilleryMainForm::ClipboardChanged,
            Qt::UniqueConnection);
    connect(&Platform.Clipboard, &IClipboard::ConnectionChanged, this,
            &TQuilleryMainForm::ClipboardConnectionChanged, Qt::UniqueConnection);
    CaptureArmed = true;
}

void TQuilleryMainForm::ClipboardConnectionChanged(bool up) {
    pnlStatus->setText(MessageText(up ? QStringLiteral("The connection to the desktop's clipboard "
                                                       "is back: copies are recorded again.")
                                      : QStringLiteral("The connection to the desktop's clipboard "
                                                       "was lost: copies are not recorded until "
                                                       "it is back.")));
}

void TQuilleryMainForm::LeaveClipboardChain() {
    disconnect(&Platform.Clipboard, &IClipboard::Changed, this,
               &TQuilleryMainForm::ClipboardChanged);
    disconnect(&Platform.Clipboard, &IClipboard::ConnectionChanged, this,
               &TQuilleryMainForm::ClipboardConnectionChanged);
}

void TQuilleryMainForm::ClipboardChanged() {
    if (OwnWrite || !CaptureArmed || Config->NoArc)
        return;
    if (Platform.Clipboard.TooLarge()) {
        pnlStatus->setText(MessageText(QStringLiteral("A copied text larger than %1 MB was not "
                                                      "recorded."))
                               .arg(MaxClipBytes >> 20));
        return;
    }
    if (!Platform.Clipboard.HasText())
        return;
    CaptureClipboard();
}

void TQuilleryMainForm::CaptureClipboard() {
    try {
        RecordCopy(Platform.Clipboard.ReadText());
    } catch (const EQuillery& e) {
        Platform.Prompts.ShowMessage(e.Message());
        CopyTaken();
    }
}

void TQuilleryMainForm::CopyTaken() {
    if (Config->Beep)
        Platform.Sound.Beep();
    ListChanged = true;
}

void TQuilleryMainForm::RecordCopy(const QByteArray& text) {
    SetTrayHint(QStringLiteral("Quillery - %1 bytes").arg(text.size()));
    if (text.isEmpty() || text == ClipAt(0))
        return;
    // With no current row (a press outside the cells), or while that clip is being
    // edited, the copy is kept as a new clip.
    if (APpendMode1->isChecked() && IsRowIndex(CurrentRow) &&
        StringGrid1->EditingRow() != CurrentRow)
        AppendToClip(CurrentRow, text);
    else
        AddClipAtTop(text);
    if (IsEditingOwnList()) // appended ones too: the clip they went to may be edited away
        CopiesDuringListEdit << text;
    CopyTaken();
}

void TQuilleryMainForm::WriteClipboardGuarded(bool& guard, bool during, const QByteArray& text) {
    guard = during;
    try {
        Platform.Clipboard.WriteText(text);
    } catch (...) {
        guard = !during;
        throw;
    }
    guard = !during;
}

void TQuilleryMainForm::WriteClipboardOwn(const QByteArray& text) {
    WriteClipboardGuarded(OwnWrite, true, text);
}
