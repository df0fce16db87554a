// The File menu's clip list commands.
#include "config/Config.h"
#include "dialogs/FileDialogComponent.h"
#include "files/FileNames.h"
#include "main/fMain.h"

#include <QLabel>

QString TQuilleryMainForm::ClipListFilter() const {
    return MessageText(QStringLiteral("Quillery Files")) + QStringLiteral(" (*.clp)|*.CLP");
}

void TQuilleryMainForm::WriteLastDir(const QString& fileName) {
    Config->WriteLastDir(FileNames::FolderOf(fileName));
}

void TQuilleryMainForm::SaveClipList1Click() {
    // Only a list without a file asks for a name; a current file that has gone away is
    // written again under its own name, never anywhere else.
    if (Config->DefaultFile.isEmpty()) {
        SaveDialog1->Dialog.Filter = ClipListFilter();
        const QString chosen = Platform.Prompts.SaveFile(SaveDialog1->Dialog);
        if (chosen.isEmpty())
            return;
        Config->DefaultFile = chosen;
        WriteLastDir(chosen);
    }
    if (IsPartialRead(Config->DefaultFile) && !MayReplacePartialRead())
        return;
    SaveClipList(Config->DefaultFile);
    ListChanged = false;
    PartialRead.reset(); // the file holds the list now
    pnlStatus->setText(Config->DefaultFile);
}
