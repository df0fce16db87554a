// Reading and writing the clip list as a .clp file.
#include "AutoSave.h"
#include "core/Errors.h"
#include "core/config/Config.h"
#include "core/files/ClipListFile.h"
#include "core/files/FileNames.h"
#include "core/files/NativeNames.h"
#include "gui/grid/KXStringGrid.h"
#include "gui/main/fMain.h"

#include <QFileInfo>
#include <QLabel>
#include <QLocale>

void TQuilleryMainForm::LoadFile(const QString& fileName, bool append) {
    pnlStatus->setText(NativeNames::Shown(fileName));
    // The file becomes the current one: until it has been read whole, saving the list over
    // it could lose clips. A file that is not there holds nothing to lose.
    PartialRead =
        FileNames::Exists(fileName) ? std::optional(TPartialRead{fileName}) : std::nullopt;
    QList<QByteArray> texts = ClipTexts();
    const ClipListFile::TReadResult read =
        ClipListFile::Load(fileName, texts, append, Config->Rows);
    SetClipTexts(texts);
    ListReplaced();
    StringGrid1->Modified = false;
    ListChanged = false;
    if (read.Whole()) {
        PartialRead.reset();
        return;
    }
    PartialRead = TPartialRead{fileName, read.Read, read.Read + read.Left};
    ShowPartialRead();
}

void TQuilleryMainForm::ShowPartialRead() {
    pnlStatus->setText(QStringLiteral("%1 \u2014 %2").arg(PartialRead->File, PartialReadNote()));
}

namespace {
QString Count(qint64 n) {
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English); // digits in groups all the same
    return locale.toString(n);
}
} // namespace

void TQuilleryMainForm::ListFileNamed(const QString& oldFile) {
    const QString& file = Config->DefaultFile;
    if (!oldFile.isEmpty() && FileNames::SameFile(oldFile, file))
        return;
    // Another list's file: replaced only after a question, as a file read in part.
    if (FileNames::IsExistingFile(file))
        PartialRead = TPartialRead{file, 0, -1, true};
    else
        PartialRead.reset();
}

bool TQuilleryMainForm::IsPartialRead(const QString& fileName) const {
    return PartialRead && !fileName.isEmpty() && FileNames::SameFile(PartialRead->File, fileName);
}

QString TQuilleryMainForm::PartialReadNote() const {
    return MessageText(QStringLiteral("%1 of %2 clips"))
        .arg(Count(PartialRead->Read), Count(PartialRead->Total));
}

bool TQuilleryMainForm::MayReplacePartialRead() {
    const QString text =
        PartialRead->NotReadFrom
            ? MessageText(QStringLiteral("The clip list was not read from %1. Saving replaces "
                                         "that file with the clip list. Save anyway?"))
                  .arg(PartialRead->File)
        : PartialRead->Total < 0
            ? MessageText(QStringLiteral("The file %1 could not be read. Saving replaces it with "
                                         "the clip list. Save anyway?"))
                  .arg(PartialRead->File)
            : MessageText(QStringLiteral("The file %1 was read only in part: it holds %2 clips "
                                         "beyond the list, which saving would lose. Save anyway?"))
                  .arg(PartialRead->File, Count(PartialRead->Total - PartialRead->Read));
    return Platform.Prompts.Ask(MessageText(QStringLiteral("Confirmation")), text,
                                TButtons::OkCancel) == TAnswer::Ok;
}

// The list as it stands now is written; a change that comes while it is written (a copy) is
// the next save's.
void TQuilleryMainForm::SaveClipList(const QString& fileName) {
    const quint64 changes = ListChanged.Changes();
    AutoSave->Write(fileName, ClipTexts(), Config->Rows, Interactive && !Terminating);
    ListWritten(changes); // a failed write leaves the list changed
}

void TQuilleryMainForm::ListWritten(quint64 changes) {
    if (ListChanged.Changes() == changes)
        ListSaved();
}

void TQuilleryMainForm::ListReplaced() {
    AutoSave->ListReplaced();
}

// The file holds the list as it stands: a move in the grid before the save is in it too, and
// leaving the grid is no new change.
void TQuilleryMainForm::ListSaved() {
    ListChanged = false;
    StringGrid1->Modified = false;
}

void TQuilleryMainForm::AutoOpenFile(const QString& name) {
    // Stored for the next start, which may run in another folder.
    const QString fileName = QFileInfo(name).absoluteFilePath();
    if (!FileNames::Exists(fileName))
        return;
    Config->DefaultFile = fileName;
    try {
        LoadFile(fileName, false);
    } catch (const EQuillery&) {
        Platform.Prompts.ShowMessage(MessageText(QStringLiteral("Failed to open File")) +
                                     QStringLiteral(": ") + fileName);
    }
}
