// Saving a changed list at exit, to a numbered temporary list when it has no file.
#include "config/Config.h"
#include "files/FileNames.h"
#include "main/fMain.h"

#include <QFile>
#include <QLabel>

bool TQuilleryMainForm::AskSaveClipList() {
    return Platform.Prompts.Ask(MessageText(QStringLiteral("Confirmation")),
                                MessageText(QStringLiteral("Save Clipboard List?")),
                                TButtons::YesNo) == TAnswer::Yes;
}

void TQuilleryMainForm::ExitSaveStep(bool interactive) {
    FinishAutoSave();
    if (!ListChanged)
        return;
    // Nobody can answer a question at the session's end or on a signal: keep the list.
    const bool unattended = Config->AutoSave || (Config->PromptSave && !interactive);
    if (!unattended) {
        if (!Config->PromptSave || !AskSaveClipList())
            return;
        if (Config->DefaultFile.isEmpty()) {
            SaveClipList1Click(); // a list without a file: the user names it
            return;
        }
    }
    // A file that was not read whole is never replaced at exit: the list goes to a
    // temporary list instead.
    const bool partial = IsPartialRead(Config->DefaultFile);
    if (!Config->DefaultFile.isEmpty() && !partial) {
        SaveClipList(Config->DefaultFile);
        ListChanged = false;
        return;
    }
    // The temporary list that Auto Save has been writing takes this save too.
    const bool reused = !AutoSaveTempList.isEmpty();
    const QString target = reused ? AutoSaveTempList : FileNames::ReserveTempList(Folders.Data);
    if (target.isEmpty()) {
        Platform.Prompts.ShowMessage(
            MessageText(QStringLiteral("File Not Saved: too many temp clip lists.")));
        return;
    }
    try {
        SaveClipList(target);
    } catch (...) {
        if (!reused)
            QFile::remove(target);
        throw;
    }
    ListChanged = false;
    if (!partial)
        return;
    const QString note = MessageText(QStringLiteral("The clip list was saved to %1: %2 was not "
                                                    "read whole and is left as it was."))
                             .arg(target, PartialRead->File);
    pnlStatus->setText(note);
    if (interactive)
        Platform.Prompts.ShowMessage(note);
}
