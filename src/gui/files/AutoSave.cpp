#include "AutoSave.h"

#include "core/Errors.h"
#include "core/config/Config.h"
#include "core/files/ClipListFile.h"
#include "core/files/FileNames.h"
#include "core/files/SafeFile.h"
#include "gui/files/AutoSaveList.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QtConcurrent/QtConcurrentRun>

namespace {
// On the worker: the error's text, empty when the file was written.
QString ErrorOf(const std::function<void()>& write) {
    try {
        write();
        return {};
    } catch (const EQuillery& e) {
        return e.Message();
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    }
}
} // namespace

TAutoSave::TAutoSave(IAutoSaveList& list, QObject* parent) : QObject(parent), List(list) {
    Timer.setParent(this);
    Timer.setObjectName(QStringLiteral("AutoSaveTimer"));
    Timer.setInterval(Interval);
    connect(&Timer, &QTimer::timeout, this, &TAutoSave::Tick);
    connect(&Writing, &QFutureWatcher<QString>::finished, this, &TAutoSave::Done);
}

void TAutoSave::Start() {
    Timer.start();
}

// Where the list goes: its file, unless that was not read whole or cannot be written; else
// one temporary list, kept for all the saves of this list, in the first folder that takes it.
QString TAutoSave::Target() {
    const QString& file = Config->DefaultFile;
    if (!file.isEmpty() && !List.IsPartialRead(file) && (!OwnFileFailed || RetryDue()))
        return file;
    if (!TempListName.isEmpty())
        return TempListName;
    // Every name taken: said once, and not searched for again each second until the folder
    // changes (a list deleted).
    const QStringList folders = List.TempListFolders(true);
    const QString& dir = folders.at(std::min<qsizetype>(TempFolder, folders.size() - 1));
    const QDateTime folder = QFileInfo(dir).lastModified();
    if (TempListsFullAt.isValid() && TempListsFullAt == folder)
        return {};
    TempListName = FileNames::ReserveTempList(dir);
    TempListsFullAt = TempListName.isEmpty() ? folder : QDateTime();
    if (TempListName.isEmpty())
        List.ShowStatus(
            List.MessageText(QStringLiteral("File Not Saved: too many temp clip lists.")));
    return TempListName;
}

bool TAutoSave::RetryDue() const {
    return OwnFileFailed && OwnFileTried.hasExpired(RetryOwnFile);
}

void TAutoSave::ListReplaced() {
    TempListName.clear();
    OwnFileFailed = false;
}

void TAutoSave::OwnFileWritten() {
    OwnFileFailed = false;
}

void TAutoSave::Tick() {
    // A list kept in the temporary list goes back to its own file as soon as that takes it.
    if (Running || Saving.isRunning() || !Config->AutoSave || !(List.ListChanges() || RetryDue()))
        return;
    const QString file = Target();
    if (file.isEmpty())
        return; // no free temporary list name: said on the status line
    WrittenChanges = List.ListChanges().Changes(); // a change from now on: the next save's
    WritingTo = file;
    Running = true;
    const std::function<void()> write = [file, clips = List.ClipTextsWithZoomEdit(),
                                         rows = int(Config->Rows)] {
        ClipListFile::Save(file, clips, rows);
    };
    Writing.setFuture(QtConcurrent::run(ErrorOf, write));
}

void TAutoSave::Done() {
    if (!std::exchange(Running, false))
        return; // taken by Finish already
    ++Count;
    const QString error = Writing.result();
    const bool toOwnFile = WritingTo != TempListName;
    if (error.isEmpty()) {
        List.ListWritten(WrittenChanges);
        if (toOwnFile && std::exchange(OwnFileFailed, false))
            List.ShowStatus(List.MessageText(QStringLiteral("The clip list is saved to %1 again."))
                                .arg(WritingTo));
        // The first write that went elsewhere says where.
        if (!toOwnFile && OwnFileFailed && std::exchange(SayWhereSaved, false))
            List.ShowStatus(
                List.MessageText(QStringLiteral("The clip list was saved to %1: %2 could not "
                                                "be written."))
                    .arg(WritingTo, Config->DefaultFile));
        return;
    }
    // The list stays changed: it goes at the next tick, or at exit. A list that replaced it
    // meanwhile waited for this write first (Finish), and asked about the one it replaced.
    if (toOwnFile) {
        OwnFileFailing(error);
        return;
    }
    List.ShowStatus(error);
    // A name reserved for this write holds nothing: it goes, and the next folder is tried.
    if (QFileInfo(WritingTo).size() == 0)
        QFile::remove(WritingTo);
    TempListName.clear();
    ++TempFolder;
}

// The next writes go to a temporary list, and the own file is tried again now and then; the
// error is said once, not at each retry.
void TAutoSave::OwnFileFailing(const QString& error) {
    if (!OwnFileFailed) {
        List.ShowStatus(error);
        SayWhereSaved = true;
    }
    OwnFileFailed = true;
    OwnFileTried.start();
}

void TAutoSave::Finish() {
    if (!Running)
        return;
    Writing.waitForFinished();
    Done();
}

void TAutoSave::Write(const QString& file, const QList<QByteArray>& clips, int rows,
                      bool answering) {
    Run([=] { ClipListFile::Save(file, clips, rows); }, answering);
}

void TAutoSave::WriteText(const QString& file, const QByteArray& text, bool answering) {
    Run([=] { TSafeFile::WriteAll(file, text); }, answering);
}

void TAutoSave::Run(const std::function<void()>& write, bool answering) {
    // One write at a time, in the order asked: a save asked for while another waits (the exit
    // save on a signal) starts once that one is on disk, so its newer list is the one kept.
    Finish();
    Saving.waitForFinished();
    QFuture<QString> writing = QtConcurrent::run(ErrorOf, write);
    Saving = writing;
    if (answering) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        QEventLoop loop;
        QFutureWatcher<QString> watcher;
        connect(&watcher, &QFutureWatcher<QString>::finished, &loop, &QEventLoop::quit);
        watcher.setFuture(writing);
        if (!writing.isFinished())
            loop.exec(QEventLoop::ExcludeUserInputEvents);
        QApplication::restoreOverrideCursor();
    }
    const QString error = writing.result();
    if (!error.isEmpty())
        throw EQuillery(error);
}
