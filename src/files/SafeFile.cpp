#include "SafeFile.h"

#include "core/Errors.h"
#include "core/NativeNames.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Replace what a link points to, not the link.
QByteArray Resolved(const QByteArray& name) {
    struct stat st {};
    if (::lstat(name.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
        return name;
    char* real = ::realpath(name.constData(), nullptr);
    if (!real)
        return name; // a link to nowhere: never written through (see below)
    QByteArray target(real);
    std::free(real);
    return target;
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
    struct stat st {};
    if (::stat(Target.constData(), &st) == 0) {
        Mode = int(st.st_mode & 07777);
        // A file its owner made read-only, or a folder, is not to be replaced.
        const int refused = S_ISDIR(st.st_mode)                       ? EISDIR
                            : ::access(Target.constData(), W_OK) != 0 ? errno
                                                                      : 0;
        if (refused != 0)
            throw CannotCreate(Name, refused);
    }
    QByteArray pattern = FolderOf(Target) + "/.qlry-XXXXXX";
    Fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (Fd >= 0) {
        Temporary = pattern;
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
    if (!Temporary.isEmpty() && ::rename(Temporary.constData(), Target.constData()) != 0)
        Fail(errno);
    Temporary.clear();
}

void TSafeFile::WriteAll(const QString& fileName, const QByteArray& bytes) {
    TSafeFile file(fileName);
    file.Write(bytes);
    file.Commit();
}
