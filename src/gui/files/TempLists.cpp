// Saving a changed list at exit, to a numbered temporary list when it has no file.
#include "AutoSave.h"
#include "core/Errors.h"
#include "core/config/Config.h"
#include "core/files/FileNames.h"
#include "gui/grid/ZoomView.h"
#include "gui/main/fMain.h"

#include <QDir>
#include <QFile>
#include <QLabel>

bool TQuilleryMainForm::AskSaveClipList() {
    return Platform.Prompts.Ask(MessageText(QStringLiteral("Confirmation")),
                                MessageText(QStringLiteral("Save Clipboard List?")),
                                TButtons::YesNo) == TAnswer::Yes;
}

namespace {
constexpr const char* Unasked =
    "The clip list was saved to %1: %2 was left as it was, since nobody could be asked.";
} // namespace

// A list file's changed text in the view goes to that file, or after a question; where
// nobody can be asked, to a temporary list, the file staying as it was.
// "Save Clipboard List?", with save run on Yes; false when a termination came instead of an
// answer (before the question or during it, or during the save's own dialog): nobody answers
// any more, and the caller keeps the text where nothing is replaced.
bool TQuilleryMainForm::AnsweredAtExit(const std::function<void()>& save) {
    if (!Terminating && AskSaveClipList() && !Terminating)
        save();
    return !Terminating;
}

void TQuilleryMainForm::ExitSaveEditedList(bool interactive) {
    if (EditedListFile.isEmpty() || !Memo1->IsModified())
        return;
    if (Config->AutoSave) {
        SaveEditedList();
        return;
    }
    if (!Config->PromptSave)
        return;
    if (interactive && AnsweredAtExit([this] { SaveEditedList(); }))
        return;
    QString target = SaveToWritableTempList([this](const QString& name) { SaveEditedListTo(name); },
                                            !interactive);
    if (!target.isEmpty())
        NoteExitSave(interactive, target, EditedListFile, Unasked);
}

void TQuilleryMainForm::ExitSaveStep(bool interactive) {
    Platform.Clipboard.Settle(); // copies already read are in the list before it is saved
    AutoSave->Finish();
    ExitSaveEditedList(interactive);
    // A list Auto Save kept in a temporary list tries its own file once more, or says where
    // it is, now and at the next start.
    const bool behind = Config->AutoSave && AutoSave->OwnFileBehind();
    if (behind)
        ListChanged = true;
    if (!ListChanged)
        return;
    if (!Config->AutoSave) {
        if (!Config->PromptSave)
            return;
        // Save names the file when the list has none, and asks as it does.
        if (interactive && (AnsweredAtExit([this] { SaveClipList1Click(); }) || !ListChanged))
            return;
        // The question cannot be asked at the session's end or on a signal: the user's file
        // stays as it was, and the list goes where nothing is replaced.
        SaveToTempListAtExit(interactive, Config->DefaultFile, Unasked);
        return;
    }
    // A file that was not read whole is never replaced at exit: the list goes to a
    // temporary list instead.
    const QString& file = Config->DefaultFile;
    const bool partial = IsPartialRead(file);
    if (!file.isEmpty() && !partial) {
        try {
            // A copy taken while the list was written (the window turns meanwhile) goes too.
            for (int write = 0; write < 3 && ListChanged; ++write)
                SaveClipList(file);
            return;
        } catch (const EQuillery& e) {
            if (interactive && !Terminating && !behind)
                throw; // the user can save it elsewhere; a list kept elsewhere stays there
            qWarning("Quillery: %s", qPrintable(e.Message()));
        }
        SaveToTempListAtExit(interactive, file,
                             "The clip list was saved to %1: %2 could not be written.");
    } else if (!partial) { // a list without a file
        SaveToTempListAtExit(interactive, QString(), "");
    } else if (PartialRead->NotReadFrom) {
        SaveToTempListAtExit(interactive, PartialRead->File,
                             "The clip list was saved to %1: it was not read from %2, which is "
                             "left as it was.");
    } else {
        SaveToTempListAtExit(interactive, PartialRead->File,
                             "The clip list was saved to %1: %2 was not read whole and is left "
                             "as it was.");
    }
}

// The folders a temporary list may go to: the lists' own, and where that cannot be written
// at the session's end, the home and the temporary folders.
QStringList TQuilleryMainForm::TempListFolders(bool anywhere) const {
    QStringList folders{Folders.Data};
    if (anywhere)
        folders << QDir::homePath() + QLatin1Char('/') << QDir::tempPath() + QLatin1Char('/');
    return folders;
}

// Writes through save to the temporary list that Auto Save has been writing, else to a new
// one, trying each folder in turn; returns the name, or empty when all names are taken. The
// last write error is thrown when no folder takes it.
QString TQuilleryMainForm::SaveToWritableTempList(const std::function<void(const QString&)>& save,
                                                  bool anywhere) {
    QStringList targets;
    const QString& kept = AutoSave->TempList();
    if (!kept.isEmpty())
        targets << kept;
    for (const QString& folder : TempListFolders(anywhere))
        targets << folder;
    for (qsizetype i = 0; i < targets.size(); ++i) {
        const bool reserved = i > 0 || kept.isEmpty();
        QString target = reserved ? FileNames::ReserveTempList(targets[i]) : targets[i];
        if (target.isEmpty()) // every name taken there
            continue;
        try {
            save(target);
            return target;
        } catch (const EQuillery& e) {
            if (reserved)
                QFile::remove(target);
            if (i + 1 == targets.size())
                throw;
            qWarning("Quillery: %s", qPrintable(e.Message()));
        }
    }
    Platform.Prompts.ShowMessage(
        MessageText(QStringLiteral("File Not Saved: too many temp clip lists.")));
    return {};
}

// Writes the list to a temporary list. keptFile, when not empty, is the user's file left as it
// was; the note (why, with the two names) says where the list went, now and at the next start.
void TQuilleryMainForm::SaveToTempListAtExit(bool interactive, const QString& keptFile,
                                             const char* why) {
    QString target = SaveToWritableTempList([this](const QString& name) { SaveClipList(name); },
                                            !interactive || Terminating);
    if (target.isEmpty())
        return;
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
