#pragma once

#include <QByteArray>
#include <QFile>
#include <QIODevice>
#include <QList>
#include <QString>

// The .clp format: each stored clip is its bytes, CR LF, then a line holding only a form
// feed. Blank clips are not stored. Texts are bytes throughout; nothing is converted.
namespace ClipListFile {

// What a read took from a file. A whole read left nothing out; otherwise saving the list to
// that file would lose the clips the list does not hold.
struct TReadResult {
    qint64 Read = 0; // clips the list received (more than blanks)
    qint64 Left = 0; // clips, or a last line without its separator, left out
    bool Whole() const { return Left == 0; }
};

// Files are read through a window of this many bytes at a time.
inline constexpr qsizetype DefaultBlockSize = qsizetype(1) << 20;

// The bytes of a file holding the first `rows` texts.
QByteArray Encode(const QList<QByteArray>& texts, int rows);

// Writes the file whole: a temporary file in the same folder replaces the old one only once
// everything is on disk, so a failed save leaves the old file as it was. A new file is
// readable by its owner only; a replaced one keeps its permissions. Throws EQuillery.
void Save(const QString& fileName, const QList<QByteArray>& texts, int rows);

// Reads a file into texts, whose length never changes: in replace mode every text is
// emptied first and filling starts at 0; in append mode it starts below the last non-empty
// text. At most up to index rows - 1 is filled. Throws EQuillery, before touching texts,
// when the file cannot be opened or is no regular file.
TReadResult Load(const QString& fileName, QList<QByteArray>& texts, bool append, int rows);

// The same rules over bytes already in memory, or over any readable device, read in blocks of
// the given size.
TReadResult Decode(const QByteArray& bytes, QList<QByteArray>& texts, bool append, int rows,
                   qsizetype block = DefaultBlockSize);
TReadResult Read(QIODevice& in, QList<QByteArray>& texts, bool append, int rows,
                 qsizetype block = DefaultBlockSize);

// Opens the regular file name (as NativeNames holds it) for reading; throws EQuillery when it
// cannot, or when it is none.
void OpenForReading(QFile& file, const QString& name);

// At most max lines of a plain text file, which end at CR LF, CR or LF alike; a form feed
// line is text, and a run of 0x1A bytes at the file's end is left out as in a list file.
QList<QByteArray> ReadLines(const QString& fileName, int max);
QList<QByteArray> ReadLines(QIODevice& in, int max, qsizetype block = DefaultBlockSize);

} // namespace ClipListFile
