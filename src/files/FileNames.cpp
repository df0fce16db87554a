#include "FileNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace FileNames {

QString FolderOf(const QString& fileName) {
    const qsizetype slash = fileName.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return {};
    if (slash == 0 || fileName.at(slash - 1) == QLatin1Char('/'))
        return fileName.left(slash + 1);
    return fileName.left(slash);
}

QStringList EntriesMatching(const QString& dir, const QString& pattern) {
    // QDir matches name filters without regard to case unless told otherwise.
    return QDir(dir).entryList(
        {pattern}, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
        QDir::Name | QDir::IgnoreCase);
}

bool IsExistingFile(const QString& name) {
    return !name.isEmpty() && QFileInfo::exists(name) && !QFileInfo(name).isDir();
}

QString TempListName(const QString& dir, int number) {
    return dir + QString::asprintf("qlry%.4d.Clp", number);
}

QString ReserveTempList(const QString& dir) {
    for (int n = 1; n <= 9999; ++n) {
        const QString name = TempListName(dir, n);
        QFile file(name);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
            return name;
        }
        // Not taken, yet not to be made (a folder without write access): the save says why.
        // A name held by a link, even one to nowhere, is taken: nothing is made through it.
        if (!QFileInfo::exists(name) && !QFileInfo(name).isSymLink())
            return name;
    }
    return {};
}

} // namespace FileNames
