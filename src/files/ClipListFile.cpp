#include "ClipListFile.h"

#include "main/ClipText.h"
#include "main/Errors.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstring>

namespace ClipListFile {

namespace {

constexpr char FormFeed = '\x0C';
constexpr char EndOfFile = '\x1A'; // nothing after it is read
const QByteArray Separator = QByteArrayLiteral("\r\n\x0C\r\n");

// Reads lines by the old text-file rules: CR ends a line (an LF right after it belongs to
// the line end), a lone LF is text, and 0x1A ends the file. Reads in blocks, so a file far
// larger than the list is never held whole.
class TLineReader {
public:
    explicit TLineReader(QIODevice& in) : In(in) {}

    bool AtEnd() {
        Fill();
        return Pos >= Block.size();
    }

    QByteArray ReadLine() {
        QByteArray line;
        while (!AtEnd()) {
            const char* begin = Block.constData() + Pos;
            const qsizetype left = Block.size() - Pos;
            const auto* cr = static_cast<const char*>(std::memchr(begin, '\r', left));
            if (!cr) {
                line.append(begin, left);
                Pos = Block.size();
                continue;
            }
            line.append(begin, cr - begin);
            Pos += cr - begin + 1;
            if (!AtEnd() && Block.at(Pos) == '\n')
                ++Pos;
            break;
        }
        return line;
    }

private:
    void Fill() {
        if (Pos < Block.size() || Ended)
            return;
        Block = In.read(BlockSize);
        Pos = 0;
        if (Block.isEmpty())
            Ended = true;
        const qsizetype eof = Block.indexOf(EndOfFile);
        if (eof >= 0) {
            Block.truncate(eof);
            Ended = true;
        }
        const auto* file = qobject_cast<QFileDevice*>(&In);
        if (file && file->error() != QFileDevice::NoError)
            throw EQuillery(QStringLiteral("Cannot read file \"%1\". %2")
                                .arg(file->fileName(), file->errorString()));
    }

    static constexpr qint64 BlockSize = qint64(1) << 20;
    QIODevice& In;
    QByteArray Block;
    qsizetype Pos = 0;
    bool Ended = false;
};

int FirstTargetRow(const QList<QByteArray>& texts, bool append) {
    if (!append)
        return 0;
    for (qsizetype r = texts.size() - 1; r >= 0; --r) {
        if (!texts.at(r).isEmpty())
            return int(r) + 1;
    }
    return 0;
}

} // namespace

QByteArray Encode(const QList<QByteArray>& texts, int rows) {
    const qsizetype n = std::min<qsizetype>(rows, texts.size());
    qsizetype total = 0;
    for (qsizetype r = 0; r < n; ++r)
        total += texts.at(r).size() + Separator.size();
    QByteArray bytes;
    bytes.reserve(total);
    for (qsizetype r = 0; r < n; ++r) {
        const QByteArray& text = texts.at(r);
        if (ClipText::IsBlank(text))
            continue;
        bytes += text;
        bytes += Separator;
    }
    return bytes;
}

void Save(const QString& fileName, const QList<QByteArray>& texts, int rows) {
    // Replace what a link points to, not the link.
    const QFileInfo info(fileName);
    const QString target = info.isSymLink() && info.exists() ? info.canonicalFilePath() : fileName;
    const bool existed = QFileInfo::exists(target);
    const QByteArray bytes = Encode(texts, rows);
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        throw EQuillery(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, file.errorString()));
    if (!existed)
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw EQuillery(QStringLiteral("Unable to save \"%1\". %2").arg(fileName, file.errorString()));
}

void Read(QIODevice& in, QList<QByteArray>& texts, bool append, int rows) {
    const int limit = int(std::min<qsizetype>(rows, texts.size()));
    if (!append) {
        for (QByteArray& text : texts)
            text.clear();
    }
    int target = FirstTargetRow(texts, append);
    TLineReader reader(in);
    while (target < limit && !reader.AtEnd()) {
        const QByteArray line = reader.ReadLine();
        if (line.size() == 1 && line.at(0) == FormFeed) {
            ++target;
            continue;
        }
        if (reader.AtEnd())
            break; // a last line without its separator is not a whole record
        QByteArray& text = texts[target];
        if (text.isEmpty())
            text = line;
        else
            text += ClipText::CRLF + line;
    }
}

void Decode(const QByteArray& bytes, QList<QByteArray>& texts, bool append, int rows) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    Read(buffer, texts, append, rows);
}

void Load(const QString& fileName, QList<QByteArray>& texts, bool append, int rows) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EQuillery(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    // A read that fails half-way leaves the list as it was.
    QList<QByteArray> result = texts;
    Read(file, result, append, rows);
    texts = std::move(result);
}

} // namespace ClipListFile
