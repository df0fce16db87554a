#include "SafeFile.h"

#include "main/Errors.h"

#include <QFileInfo>

namespace {
// Replace what a link points to, not the link.
QString Target(const QString& fileName) {
    const QFileInfo info(fileName);
    return info.isSymLink() && info.exists() ? info.canonicalFilePath() : fileName;
}
} // namespace

TSafeFile::TSafeFile(const QString& fileName) : Name(fileName), File(Target(fileName)) {
    const bool existed = QFileInfo::exists(File.fileName());
    // Written in place only where no temporary file can be made beside it, and never through
    // a link to nowhere (that would make a file wherever it points).
    File.setDirectWriteFallback(!QFileInfo(File.fileName()).isSymLink());
    // Unbuffered: a write that fails must fail here, not in a flush the commit ignores.
    if (!File.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw EQuillery(
            QStringLiteral("Cannot create file \"%1\". %2").arg(Name, File.errorString()));
    if (!existed)
        File.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void TSafeFile::Write(const char* data, qsizetype size) {
    Ok = Ok && File.write(data, size) == size;
}

void TSafeFile::Commit() {
    if (!Ok || !File.commit())
        throw EQuillery(QStringLiteral("Unable to save \"%1\". %2").arg(Name, File.errorString()));
}

void TSafeFile::WriteAll(const QString& fileName, const QByteArray& bytes) {
    TSafeFile file(fileName);
    file.Write(bytes);
    file.Commit();
}
