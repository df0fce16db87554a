// Saving a changed list at exit, to a numbered temporary list when it has no file.
#include "config/Config.h"
#include "files/FileNames.h"
#include "main/fMain.h"

void TQuilleryMainForm::ExitSaveStep(bool interactive) {
    if (!ListChanged)
        return;
    // Nobody can answer a question at the session's end or on a signal: keep the list.
    if (Config->AutoSave || (Config->PromptSave && !interactive)) {
        const QString target = Config->DefaultFile.isEmpty()
                                   ? FileNames::FirstFreeTempList(ProgramDir)
                                   : Config->DefaultFile;
        if (target.isEmpty())
            Platform.Prompts.ShowMessage(
                MessageText(QStringLiteral("File Not Saved: too many temp clip lists.")));
        else
            SaveClipList(target);
        return;
    }
    if (Config->PromptSave &&
        Platform.Prompts.Ask(MessageText(QStringLiteral("Confirmation")),
                             MessageText(QStringLiteral("Save Clipboard List?")),
                             TButtons::YesNo) == TAnswer::Yes)
        SaveClipList1Click();
}
