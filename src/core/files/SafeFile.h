#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// A file written whole or not at all: a temporary file in the same folder replaces the old
// one only once everything is on disk, so a failed write leaves the old file as it was. A new
// file is readable by its owner only; a replaced one keeps its permissions and, where it may,
// its owner; a link is written through, and a link to nowhere is refused. A hard link to the
// old file keeps the old file. Where the folder takes no new file, the file is written in place.
// Names are those of NativeNames, so a name that is not UTF-8 is written as it is.
class TSafeFile {
public:
    explicit TSafeFile(const QString& fileName); // throws EQuillery when it cannot be created
    ~TSafeFile();
    TSafeFile(const TSafeFile&) = delete;
    TSafeFile& operator=(const TSafeFile&) = delete;

    void Write(const char* data, qsizetype size);
    void Write(const QByteArray& bytes) { Write(bytes.constData(), bytes.size()); }
    void Commit(); // throws EQuillery when anything could not be written

    // The whole file at once.
    static void WriteAll(const QString& fileName, const QByteArray& bytes);
    // Removes the temporary files of writes that never ended (the program was killed), the
    // user's own in folder from before that time.
    static void RemoveStale(const QString& folder, const QDateTime& before);

private:
    [[noreturn]] void Fail(int error);

    QString Name;
    QByteArray Target;    // what is replaced: the file a link leads to
    QByteArray Temporary; // empty when written in place
    int Fd = -1;
    int Mode = 0600;
    int Error = 0; // of the first write that failed
};
