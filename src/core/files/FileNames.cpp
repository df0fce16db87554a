#include "FileNames.h"

#include "NativeNames.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileNames {

QString FolderOf(const QString& fileName) {
    const qsizetype slash = fileName.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return {};
    if (slash == 0 || fileName.at(slash - 1) == QLatin1Char('/'))
        return fileName.left(slash + 1);
    return fileName.left(slash);
}

namespace {
bool Stat(const QString& name, struct stat& st, bool followLinks = true) {
    const QByteArray native = NativeNames::Encode(name);
    return !name.isEmpty() &&
           (followLinks ? ::stat(native.constData(), &st) : ::lstat(native.constData(), &st)) == 0;
}
// Without regard to case, as QDir matches; it takes valid text only. "*.ext" alone, the
// patterns used, is matched without building a regular expression for every name.
bool NameMatches(const QString& pattern, const QString& name) {
    const QStringView suffix = QStringView(pattern).mid(1);
    if (pattern.startsWith(QLatin1Char('*')) && !suffix.contains(QLatin1Char('*')) &&
        !suffix.contains(QLatin1Char('?')) && !suffix.contains(QLatin1Char('[')))
        return name.endsWith(suffix, Qt::CaseInsensitive);
    return QDir::match(pattern, name);
}
} // namespace

QStringList EntriesMatching(const QString& dir, const QString& pattern) {
    QStringList names;
    DIR* folder = ::opendir(NativeNames::Encode(dir).constData());
    if (!folder)
        return names;
    const QString prefix = dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/');
    while (const dirent* entry = ::readdir(folder)) {
        QString name = NativeNames::Decode(QByteArray(entry->d_name));
        struct stat st {};
        if (NameMatches(pattern, NativeNames::Shown(name)) && Stat(prefix + name, st) &&
            S_ISREG(st.st_mode))
            names.append(name);
    }
    ::closedir(folder);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

bool Exists(const QString& name) {
    struct stat st {};
    return Stat(name, st);
}

bool IsExistingFile(const QString& name) {
    struct stat st {};
    return Stat(name, st) && !S_ISDIR(st.st_mode);
}

bool SameFile(const QString& a, const QString& b) {
    const QFileInfo x(a), y(b);
    return x.absoluteFilePath() == y.absoluteFilePath() ||
           (x.exists() && x.canonicalFilePath() == y.canonicalFilePath());
}

bool IsLink(const QString& name) {
    struct stat st {};
    return Stat(name, st, false) && S_ISLNK(st.st_mode);
}

QString TempListName(const QString& dir, int number) {
    return dir + QString::asprintf("qlry%.4d.Clp", number);
}

QString ReserveTempList(const QString& dir) {
    for (int n = 1; n <= 9999; ++n) {
        QString name = TempListName(dir, n);
        // O_EXCL makes nothing through a link, even one to nowhere: its name is taken.
        const int fd = ::open(NativeNames::Encode(name).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
            return name;
        }
        // Not taken, yet not to be made (a folder without write access): the save says why.
        if (!Exists(name) && !IsLink(name))
            return name;
    }
    return {};
}

} // namespace FileNames
