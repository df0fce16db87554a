// The File menu's clip list commands.
#include "AutoSave.h"
#include "core/Errors.h"
#include "core/config/Config.h"
#include "core/files/ClipListFile.h"
#include "core/files/FileNames.h"
#include "core/files/NativeNames.h"
#include "core/text/ClipText.h"
#include "gui/dialogs/FileDialogComponent.h"
#include "gui/grid/KXStringGrid.h"
#include "gui/grid/ZoomView.h"
#include "gui/main/fMain.h"

#include <QFileInfo>
#include <QLabel>
#include <QStackedWidget>
#include <QToolButton>

QString TQuilleryMainForm::ClipListFilter() const {
    return MessageText(QStringLiteral("Quillery Files")) + QStringLiteral(" (*.clp)|*.CLP");
}

void TQuilleryMainForm::WriteLastDir(const QString& fileName) {
    // Only a convenience for the next start: a settings file that cannot be written (a
    // read-only folder) never stops the command that chose the file.
    try {
        Config->WriteLastDir(FileNames::FolderOf(fileName));
    } catch (const EQuillery& e) {
        qWarning("Quillery: %s", qPrintable(e.Message()));
    }
}

QString TQuilleryMainForm::ChooseFileToOpen(const QString& filter) {
    OpenDialog1->Dialog.Filter = filter;
    const QString chosen = Platform.Prompts.OpenFile(OpenDialog1->Dialog);
    // Cancelled, or a name that is no file: the command ends without a word.
    return FileNames::IsExistingFile(chosen) ? chosen : QString();
}

void TQuilleryMainForm::AskToSaveChanges() {
    AutoSave->Finish(); // a write under way that fails leaves the list changed: asked about
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
    ListReplaced();
    Config->DefaultFile.clear();
    PartialRead.reset();
    pnlStatus->clear();
}

void TQuilleryMainForm::OpenClipList1Click() {
    AskToSaveChanges();
    const QString chosen = ChooseFileToOpen(ClipListFilter());
    if (chosen.isEmpty())
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
    if (!EditedListFile.isEmpty()) {
        // A changed text goes back to its file, and the view closes: it holds no clip.
        if (Memo1->IsModified())
            SaveEditedList();
        EndListEdit();
        ShowZoomView(false);
        pnlStatus->setText(NativeNames::Shown(Config->DefaultFile));
        RefreshLists();
        return;
    }
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
    SaveToListFile();
}

// Writes the list to its file, which then holds it whole (a file read in part, or one that
// could not be written before, included), and shows it.
void TQuilleryMainForm::SaveToListFile() {
    SaveClipList(Config->DefaultFile);
    AutoSave->OwnFileWritten();
    PartialRead.reset();
    pnlStatus->setText(NativeNames::Shown(Config->DefaultFile));
    RefreshLists();
}

void TQuilleryMainForm::SaveAs1Click() {
    if (!Config->DefaultFile.isEmpty())
        SaveDialog1->Dialog.FileName = Config->DefaultFile;
    SaveDialog1->Dialog.Filter = ClipListFilter();
    const QString chosen = Platform.Prompts.SaveFile(SaveDialog1->Dialog);
    if (chosen.isEmpty())
        return;
    SaveDialog1->Dialog.InitialDir = FileNames::FolderOf(chosen);
    WriteLastDir(chosen);
    Config->DefaultFile = chosen;
    SaveToListFile(); // a file the user chose to replace
}

void TQuilleryMainForm::AppendClipList1Click() {
    const QString chosen = ChooseFileToOpen(ClipListFilter());
    if (chosen.isEmpty())
        return;
    Config->DefaultFile = chosen;
    LoadFile(chosen, true);
    Memo1->ClearModified();
    ListChanged = true;
}

void TQuilleryMainForm::EditClipList1Click() {
    if (Config->OnTop)
        SetTopmost(false);
    const QString chosen = ChooseFileToOpen(ClipListFilter());
    SetTopmost(Config->OnTop);
    if (chosen.isEmpty())
        return;
    if (FileNames::SameFile(chosen, Config->DefaultFile))
        SaveListBeforeEdit();
    CopiesDuringListEdit.clear();
    // The file's text exactly as stored, in the zoom view; Save or Zoom Out writes a changed
    // text back to this file and to no other.
    EditedListFile = chosen;
    ShowZoomView(true);
    try {
        QFile file;
        ClipListFile::OpenForReading(file, chosen);
        const QByteArray bytes = file.readAll();
        const QSignalBlocker quiet(Memo1); // the list itself does not change
        Memo1->Load(bytes);
        // The view shows one text; a file with clips in an old single-byte code would come
        // back wholly as UTF-8, changing clips nobody touched.
        if (!ClipText::IsUtf8(bytes)) {
            Memo1->setReadOnly(true);
            pnlStatus->setText(MessageText(QStringLiteral("%1 is not wholly UTF-8 text: it is "
                                                          "shown read-only."))
                                   .arg(chosen));
        }
    } catch (const EQuillery& e) {
        Platform.Prompts.ShowMessage(e.Message());
    }
    Memo1->ClearModified();
}

bool TQuilleryMainForm::IsEditingOwnList() const {
    return !EditedListFile.isEmpty() && FileNames::SameFile(EditedListFile, Config->DefaultFile);
}

// The edit starts from the list as it stands, so reading the saved edit back loses nothing
// but what the user took out.
void TQuilleryMainForm::SaveListBeforeEdit() {
    if (!Config->AutoSave) {
        AskToSaveChanges();
        return;
    }
    AutoSave->Finish();
    if (ListChanged && !IsPartialRead(Config->DefaultFile)) // else Auto Save keeps it elsewhere
        SaveClipList(Config->DefaultFile);
}

void TQuilleryMainForm::SaveEditedList() {
    SaveEditedListTo(EditedListFile);
    if (IsEditingOwnList())
        ReadEditedOwnList();
}

// The list in the window would otherwise be written over the edit at the next save.
void TQuilleryMainForm::ReadEditedOwnList() {
    const QList<QByteArray> copies = std::exchange(CopiesDuringListEdit, {});
    LoadFile(Config->DefaultFile, false);
    for (const QByteArray& text : copies) {
        if (text != ClipAt(0)) {
            AddClipAtTop(text);
            ListChanged = true;
        }
    }
}

void TQuilleryMainForm::SaveEditedListTo(const QString& fileName) {
    QByteArray text = Memo1->Text();
    if (!text.isEmpty() && !text.endsWith(ClipText::CRLF))
        text += ClipText::CRLF; // every line ends with CR LF, the last one too
    AutoSave->WriteText(fileName, text, Interactive && !Terminating);
    Memo1->ClearModified();
}

void TQuilleryMainForm::EndListEdit() {
    CopiesDuringListEdit.clear();
    EditedListFile.clear();
    Memo1->setReadOnly(false);
    Memo1->ClearModified();
}
