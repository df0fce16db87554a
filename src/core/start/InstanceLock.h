#pragma once

#include <QLockFile>
#include <QString>

// The single-instance lock "QuilleryMutex": a lock file in the user's runtime folder, held
// until the process ends. A lock left by a process that no longer runs is taken over.
class TInstanceLock {
public:
    // dir: where the lock lives; by default the user's runtime folder.
    explicit TInstanceLock(const QString& dir = QString());
    // False only when another running instance holds the lock.
    bool Acquire();
    // Another process that still runs holds the lock (without trying to take it).
    bool HeldByRunningProcess() const;

private:
    QLockFile Lock;
};
