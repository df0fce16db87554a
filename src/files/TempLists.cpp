// Saving a changed list at exit, to a numbered temporary list when it has no file.
#include "config/Config.h"
#include "files/FileNames.h"
#include "grid/ZoomView.h"
#include "main/fMain.h"

#include <QFile>
#include <QLabel>

bool TQuilleryMainForm::AskSaveClipList() {
    return Platform.Prompts.Ask(MessageText(QStringLiteral("Confirmation")),
                                MessageText(QStringLiteral("Save Clipboard List?")),
                                TButtons::YesNo) == TAnswer::Yes;
}

// A list file's changed text in the view goes to that file, or after a question; where
// nobody can be asked, to a temporary list, the file staying as it was.
void TQuilleryMainForm::ExitSaveEditedList(bool interactive) {
    if (EditedListFile.isEmpty() || !Memo1->IsModified())
        return;
    if (Config->AutoSave || (interactive && Config->PromptSave && AskSaveClipList())) {
        SaveEditedList();
    } else if (!interactive && Config->PromptSave) {
        const QString target = FileNames::ReserveTempList(Folders.Data);
        if (target.isEmpty()) {
            qWarning("Quillery: %s", "File Not Saved: too many temp clip lists.");
            return;
        }
        SaveEditedListTo(target);
        NoteExitSave(interactive, target, EditedListFile,
                     "The clip list was saved to %1: %2 was left as it was, since nobody could "
                     "be asked.");
    }
}

void TQuilleryMainForm::ExitSaveStep(bool interactive) {
    FinishAutoSave();
    ExitSaveEditedList(interactive);
    if (!ListChanged)
        return;
    if (!Config->AutoSave) {
        if (!Config->PromptSave)
            return;
        if (interactive) {
            if (AskSaveClipList())
                SaveClipList1Click(); // names the file when the list has none, asks as Save does
            return;
        }
        // The question cannot be asked at the session's end or on a signal: the user's file
        // stays as it was, and the list goes where nothing is replaced.
        SaveToTempListAtExit(interactive, Config->DefaultFile,
                             "The clip list was saved to %1: %2 was left as it was, since "
                             "nobody could be asked.");
        return;
    }
    // A file that was not read whole is never replaced at exit: the list goes to a
    // temporary list instead.
    if (!Config->DefaultFile.isEmpty() && !IsPartialRead(Config->DefaultFile)) {
        SaveClipList(Config->DefaultFile);
        ListChanged = false;
        return;
    }
    if (!IsPartialRead(Config->DefaultFile))
        SaveToTempListAtExit(interactive, QString(), "");
    else if (PartialRead->NotReadFrom)
        SaveToTempListAtExit(interactive, PartialRead->File,
                             "The clip list was saved to %1: it was not read from %2, which is "
                             "left as it was.");
    else
        SaveToTempListAtExit(interactive, PartialRead->File,
                             "The clip list was saved to %1: %2 was not read whole and is left "
                             "as it was.");
}

// Writes the list to a temporary list: the one Auto Save has been writing, else a new one.
// keptFile, when not empty, is the user's file left as it was; the note (why, with the two
// names) says where the list went, now and at the next start.
void TQuilleryMainForm::SaveToTempListAtExit(bool interactive, const QString& keptFile,
                                             const char* why) {
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
    if (!keptFile.isEmpty())
        NoteExitSave(interactive, target, keptFile, why);
}

void TQuilleryMainForm::NoteExitSave(bool interactive, const QString& target,
                                     const QString& keptFile, const char* why) {
    const QString note = MessageText(QString::fromLatin1(why)).arg(target, keptFile);
    pnlStatus->setText(note);
    Config->LastExitNote = note;
    if (interactive)
        Platform.Prompts.ShowMessage(note);
    else
        qWarning("Quillery: %s", qPrintable(note));
}
