// With Auto Save on, a changed list reaches its file within a second or two, so that a crash
// or a power cut loses no copy. The file is written whole on a worker thread (a temporary file,
// flushed to disk, then renamed over the old one), at most one write at a time; changes that
// come meanwhile are written by the next.
#include "config/Config.h"
#include "core/Errors.h"
#include "files/ClipListFile.h"
#include "files/FileNames.h"
#include "grid/KXStringGrid.h"
#include "main/fMain.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLabel>
#include <QTimer>

void TQuilleryMainForm::StartAutoSave() {
    AutoSaveTimer = new QTimer(this);
    AutoSaveTimer->setObjectName(QStringLiteral("AutoSaveTimer"));
    AutoSaveTimer->setInterval(AutoSaveInterval);
    connect(AutoSaveTimer, &QTimer::timeout, this, &TQuilleryMainForm::AutoSaveTick);
    AutoSaveTimer->start();
}

// Where the list goes: its file, unless that was not read whole or cannot be written; else
// one temporary list, kept for all the saves of this list, in the first folder that takes it.
QString TQuilleryMainForm::AutoSaveFile() {
    if (!Config->DefaultFile.isEmpty() && !IsPartialRead(Config->DefaultFile) && !OwnFileFailed)
        return Config->DefaultFile;
    if (!AutoSaveTempList.isEmpty())
        return AutoSaveTempList;
    // Every name taken: said once, and not searched for again each second until the folder
    // changes (a list deleted).
    const QStringList folders = TempListFolders(true);
    const QString& dir = folders.at(std::min<qsizetype>(TempFolder, folders.size() - 1));
    const QDateTime folder = QFileInfo(dir).lastModified();
    if (TempListsFullAt.isValid() && TempListsFullAt == folder)
        return {};
    AutoSaveTempList = FileNames::ReserveTempList(dir);
    TempListsFullAt = AutoSaveTempList.isEmpty() ? folder : QDateTime();
    if (AutoSaveTempList.isEmpty())
        pnlStatus->setText(
            MessageText(QStringLiteral("File Not Saved: too many temp clip lists.")));
    return AutoSaveTempList;
}

void TQuilleryMainForm::ListReplaced() {
    AutoSaveTempList.clear();
    OwnFileFailed = false;
}

void TQuilleryMainForm::AutoSaveTick() {
    if (AutoSaving.valid()) {
        if (AutoSaving.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
            return;
        AutoSaveDone(AutoSaving.get());
    }
    if (!Config->AutoSave || !ListChanged)
        return;
    const QString file = AutoSaveFile();
    if (file.isEmpty())
        return;  // no free temporary list name: said on the status line
    ListSaved(); // a change from now on is written by the next save
    AutoSaveTarget = file;
    AutoSaving =
        std::async(std::launch::async,
                   [file, clips = ClipTextsWithZoomEdit(), rows = Config->Rows]() -> QString {
                       try {
                           ClipListFile::Save(file, clips, rows);
                           return {};
                       } catch (const EQuillery& e) {
                           return e.Message();
                       } catch (const std::exception& e) {
                           return QString::fromLocal8Bit(e.what());
                       }
                   });
}

void TQuilleryMainForm::AutoSaveDone(const QString& error) {
    ++AutoSaves;
    const bool toOwnFile = AutoSaveTarget != AutoSaveTempList;
    if (error.isEmpty()) {
        // The first write that went elsewhere says where.
        if (!toOwnFile && OwnFileFailed && std::exchange(SayWhereSaved, false))
            pnlStatus->setText(
                MessageText(QStringLiteral("The clip list was saved to %1: %2 could not be "
                                           "written."))
                    .arg(AutoSaveTarget, Config->DefaultFile));
        return;
    }
    ListChanged = true; // still to be saved: at the next tick, or at exit
    pnlStatus->setText(error);
    // The next write goes to a temporary list, or to one in the next folder.
    if (toOwnFile) {
        OwnFileFailed = SayWhereSaved = true;
    } else {
        AutoSaveTempList.clear();
        ++TempFolder;
    }
}

void TQuilleryMainForm::FinishAutoSave() {
    if (AutoSaving.valid())
        AutoSaveDone(AutoSaving.get());
}
