#include "InstanceLock.h"

#include <QDir>
#include <QStandardPaths>

#include <cerrno>
#include <csignal>

namespace {
QString LockPath(const QString& dir) {
    const QString folder =
        dir.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) : dir;
    QDir().mkpath(folder);
    return folder + QStringLiteral("/QuilleryMutex.lock");
}
} // namespace

TInstanceLock::TInstanceLock(const QString& dir) : Lock(LockPath(dir)) {
    // Only a dead owner makes a lock stale, never its age: the first instance runs for days.
    Lock.setStaleLockTime(0);
}

bool TInstanceLock::Acquire() {
    if (Lock.tryLock(0))
        return true;
    // An empty or unreadable lock names no owner: no program holds it.
    qint64 pid = 0;
    QString host, application;
    if (Lock.error() == QLockFile::LockFailedError &&
        !Lock.getLockInfo(&pid, &host, &application)) {
        Lock.removeStaleLockFile();
        if (Lock.tryLock(0))
            return true;
    }
    // A lock that cannot be made at all (no runtime folder) must not keep the program out.
    return Lock.error() != QLockFile::LockFailedError;
}

bool TInstanceLock::HeldByRunningProcess() const {
    qint64 pid = 0;
    QString host, application;
    if (!Lock.getLockInfo(&pid, &host, &application) || pid <= 0)
        return false;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}
