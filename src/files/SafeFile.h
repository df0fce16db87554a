#pragma once

#include <QSaveFile>
#include <QString>

// A file written whole or not at all: a temporary file in the same folder replaces the old
// one only once everything is on disk, so a failed write leaves the old file as it was. A new
// file is readable by its owner only; a replaced one keeps its permissions; a link is written
// through. Where the folder takes no new file, the file is written in place.
class TSafeFile {
public:
    explicit TSafeFile(const QString& fileName); // throws EQuillery when it cannot be created
    void Write(const char* data, qsizetype size);
    void Write(const QByteArray& bytes) { Write(bytes.constData(), bytes.size()); }
    void Commit(); // throws EQuillery when anything could not be written

    // The whole file at once.
    static void WriteAll(const QString& fileName, const QByteArray& bytes);

private:
    QString Name;
    QSaveFile File;
    bool Ok = true;
};
