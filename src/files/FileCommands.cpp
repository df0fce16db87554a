// The File menu's clip list commands.
#include "config/Config.h"
#include "dialogs/FileDialogComponent.h"
#include "files/FileNames.h"
#include "grid/KXStringGrid.h"
#include "grid/ZoomView.h"
#include "main/fMain.h"

#include <QFileInfo>
#include <QLabel>

QString TQuilleryMainForm::ClipListFilter() const {
    return MessageText(QStringLiteral("Quillery Files")) + QStringLiteral(" (*.clp)|*.CLP");
}

void TQuilleryMainForm::WriteLastDir(const QString& fileName) {
    Config->WriteLastDir(FileNames::FolderOf(fileName));
}

void TQuilleryMainForm::AskToSaveChanges() {
    if (ListChanged &&
        Platform.Prompts.Ask(MessageText(QStringLiteral("Confirmation")),
                             MessageText(QStringLiteral("Would you like to save your changes?")),
                             TButtons::OkCancel) == TAnswer::Ok)
        SaveClipList1Click();
}

void TQuilleryMainForm::NewClipList1Click() {
    AskToSaveChanges();
    ListChanged = false;
    StringGrid1->Model().ClearAll();
    Config->DefaultFile.clear();
    PartialRead.reset();
    pnlStatus->clear();
}

void TQuilleryMainForm::OpenClipList1Click() {
    AskToSaveChanges();
    OpenDialog1->Dialog.Filter = ClipListFilter();
    const QString chosen = Platform.Prompts.OpenFile(OpenDialog1->Dialog);
    if (chosen.isEmpty() || !QFileInfo::exists(chosen) || QFileInfo(chosen).isDir())
        return;
    Config->DefaultFile = chosen;
    LoadFile(chosen, false);
    OpenDialog1->Dialog.InitialDir = FileNames::FolderOf(chosen);
    WriteLastDir(chosen);
    Memo1->ClearModified();
    StringGrid1->Modified = false;
    ListChanged = false;
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
