#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QFutureWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class IAutoSaveList;

// The one writer of clip list files. With Auto Save on, a changed list reaches its file within
// a second or two, so that a crash or a power cut loses no copy; Save, Save As and the exit
// save write through it too. Files are written whole on a worker thread (a temporary file,
// flushed to disk, then renamed over the old one), one write at a time; changes that come
// meanwhile are written by the next.
class TAutoSave : public QObject {
    Q_OBJECT
public:
    static constexpr int Interval = 1000;
    // While the list's own file cannot be written (a full disk), it is tried again this often.
    static constexpr int RetryOwnFile = 5000;

    TAutoSave(IAutoSaveList& list, QObject* parent);
    void Start();

    // Writes clips to file once any write under way has ended, and returns when it is on disk;
    // throws EQuillery when it could not be written. While it waits, an answering window
    // repaints and its timers run (keys and clicks wait, under a busy cursor); else it blocks.
    void Write(const QString& file, const QList<QByteArray>& clips, int rows, bool answering);
    // The same for a list file's text as the user edited it, written as it stands.
    void WriteText(const QString& file, const QByteArray& text, bool answering);
    // Waits for an Auto Save write under way and takes its result: before the list is
    // replaced, and at exit.
    void Finish();

    // Another list takes the window's place: a temporary list kept for the old one stays
    // that list's, and the new one gets its own when it needs one.
    void ListReplaced();
    void OwnFileWritten(); // by a save: Auto Save writes to it again
    const QString& TempList() const { return TempListName; }
    // The list went to the temporary list since its own file could not be written.
    bool OwnFileBehind() const { return OwnFileFailed; }
    int Saves() const { return Count; } // Auto Save writes finished, failed ones included

private:
    void Run(const std::function<void()>& write, bool answering);
    void Tick();
    void Done();
    QString Target();
    bool RetryDue() const;
    void OwnFileFailing(const QString& error);

    IAutoSaveList& List;
    QTimer Timer;
    QFutureWatcher<QString> Writing; // the Auto Save write under way
    bool Running = false;            // its result not yet taken
    QFuture<QString> Saving;         // the last write of Write
    int Count = 0;
    QString TempListName;       // the temporary list of a list without its own file
    QDateTime TempListsFullAt;  // the folder's time when no temporary list name was free
    QString WritingTo;          // of the write under way
    quint64 WrittenChanges = 0; // the list's changes it holds
    bool OwnFileFailed = false; // the list's own file could not be written: a temporary list
    QElapsedTimer OwnFileTried; // since its last failed write
    bool SayWhereSaved = false;
    int TempFolder = 0; // of TempListFolders(true), where a temporary list could be written
};
