#include "SafeFile.h"

#include "NativeNames.h"
#include "core/Errors.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Replace what a link points to, not the link. Empty for a link to nowhere (a list on a drive
// that is not mounted): it is left as it is, not replaced by a file.
QByteArray Resolved(const QByteArray& name) {
    struct stat st {};
    if (::lstat(name.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
        return name;
    char* real = ::realpath(name.constData(), nullptr);
    if (!real)
        return {};
    QByteArray target(real);
    std::free(real);
    return target;
}

constexpr char TemporaryPrefix[] = ".qlry-";

// The new name is on disk once its folder is: a power cut after the rename keeps it.
void SyncFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd); // the file itself is on disk already: a folder that cannot sync loses nothing
    ::close(fd);
}

QByteArray FolderOf(const QByteArray& name) {
    const qsizetype slash = name.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : name.left(std::max<qsizetype>(slash, 1));
}

QString Reason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

EQuillery CannotCreate(const QString& name, int error) {
    return EQuillery(QStringLiteral("Cannot create file \"%1\". %2")
                         .arg(NativeNames::Shown(name), Reason(error)));
}
} // namespace

TSafeFile::TSafeFile(const QString& fileName)
    : Name(fileName), Target(Resolved(NativeNames::Encode(fileName))) {
    if (Target.isEmpty())
        throw CannotCreate(Name, ENOENT);
    struct stat st {};
    const bool exists = ::stat(Target.constData(), &st) == 0;
    if (exists) {
        Mode = int(st.st_mode & 07777);
        // A file its owner made read-only, or a folder, is not to be replaced; by the mode
        // bits too, which root's access() would pass.
        const int refused = S_ISDIR(st.st_mode)                       ? EISDIR
                            : (st.st_mode & 0222) == 0                ? EACCES
                            : ::access(Target.constData(), W_OK) != 0 ? errno
                                                                      : 0;
        if (refused != 0)
            throw CannotCreate(Name, refused);
    }
    QByteArray pattern = FolderOf(Target) + '/' + TemporaryPrefix + "XXXXXX";
    Fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (Fd >= 0) {
        Temporary = pattern;
        // Another user's list stays theirs when root saves it (where one may give it away).
        if (exists && (st.st_uid != ::geteuid() || st.st_gid != ::getegid())) {
            [[maybe_unused]] const int kept = ::fchown(Fd, st.st_uid, st.st_gid);
        }
        return;
    }
    // Written in place only where the folder refuses new files (not when the disk is full:
    // cutting the old file short then would lose it), and never through a link to nowhere,
    // which would make a file wherever it points.
    const int error = errno;
    if (error == EACCES || error == EPERM)
        Fd = ::open(Target.constData(), O_WRONLY | O_TRUNC | O_NOFOLLOW | O_CLOEXEC);
    if (Fd < 0)
        throw CannotCreate(Name, error);
}

TSafeFile::~TSafeFile() {
    if (Fd >= 0)
        ::close(Fd);
    if (!Temporary.isEmpty())
        ::unlink(Temporary.constData());
}

void TSafeFile::Write(const char* data, qsizetype size) {
    while (Error == 0 && size > 0) {
        const ssize_t written = ::write(Fd, data, size_t(size));
        if (written < 0 && errno != EINTR)
            Error = errno;
        if (written > 0) {
            data += written;
            size -= written;
        }
    }
}

void TSafeFile::Fail(int error) {
    throw EQuillery(
        QStringLiteral("Unable to save \"%1\". %2").arg(NativeNames::Shown(Name), Reason(error)));
}

void TSafeFile::Commit() {
    if (Error != 0)
        Fail(Error);
    if (::fsync(Fd) != 0)
        Fail(errno);
    if (!Temporary.isEmpty() && ::fchmod(Fd, mode_t(Mode)) != 0)
        Fail(errno);
    const int closed = ::close(std::exchange(Fd, -1));
    if (closed != 0)
        Fail(errno);
    if (!Temporary.isEmpty()) {
        if (::rename(Temporary.constData(), Target.constData()) != 0)
            Fail(errno);
        SyncFolder(FolderOf(Target));
    }
    Temporary.clear();
}

void TSafeFile::RemoveStale(const QString& folder, const QDateTime& before) {
    const QByteArray path = NativeNames::Encode(folder);
    DIR* dir = ::opendir(path.constData());
    if (!dir)
        return;
    const qint64 limit = before.toSecsSinceEpoch();
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (!name.startsWith(TemporaryPrefix) ||
            name.size() != qsizetype(sizeof TemporaryPrefix) + 5)
            continue;
        const QByteArray file = path + '/' + name;
        struct stat st {};
        if (::lstat(file.constData(), &st) == 0 && S_ISREG(st.st_mode) &&
            st.st_uid == ::geteuid() && st.st_mtime < limit)
            ::unlink(file.constData());
    }
    ::closedir(dir);
}

void TSafeFile::WriteAll(const QString& fileName, const QByteArray& bytes) {
    TSafeFile file(fileName);
    file.Write(bytes);
    file.Commit();
}
