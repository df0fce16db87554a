#include "ClipListFile.h"

#include "NativeNames.h"
#include "SafeFile.h"
#include "core/Errors.h"
#include "core/text/ClipText.h"

#include <QBuffer>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ClipListFile {

namespace {

constexpr char FormFeed = '\x0C';
constexpr char EndOfFile = '\x1A'; // only at the very end of a file
constexpr char Separator[] = "\r\n\x0C\r\n";
constexpr qsizetype SeparatorSize = sizeof Separator - 1;
constexpr qsizetype BlockSize = DefaultBlockSize;

// Calls sink(data, size) with the file's bytes, record after record.
template <class Sink> void ForEachRecord(const QList<QByteArray>& texts, int rows, Sink sink) {
    const qsizetype n = std::min<qsizetype>(rows, texts.size());
    for (qsizetype r = 0; r < n; ++r) {
        const QByteArray& text = texts.at(r);
        if (ClipText::IsBlank(text))
            continue;
        sink(text.constData(), text.size());
        sink(Separator, SeparatorSize);
    }
}

// The file's bytes in a window that slides over it, read in blocks; a file larger than the
// list is never held whole. A run of 0x1A bytes at the very end of the file is an old
// end-of-file mark and never shown; anywhere else 0x1A is text. So a trailing run is held
// back until a byte that is not 0x1A follows it.
class TWindow {
public:
    TWindow(QIODevice& in, qsizetype block) : In(in), Block(std::max<qsizetype>(block, 1)) {}

    const char* Begin() const { return Data.data() + First; }
    const char* End() const { return Data.data() + Shown; }
    bool Ended() const { return Eof; }
    void Consume(const char* upTo) { First = upTo - Data.data(); }

    // Shows at least one more byte; false at the end of the file.
    bool More() {
        while (!Eof) {
            if (First > 0) {
                std::memmove(Data.data(), Data.data() + First, Last - First);
                Last -= First;
                Shown -= First;
                First = 0;
            }
            // A small file needs no full block of memory.
            const qint64 left = In.isSequential() ? Block : In.size() - In.pos();
            const qint64 want = std::clamp<qint64>(left, 1, Block);
            if (qsizetype(Data.size()) < Last + want)
                Data.resize(Last + want);
            const qint64 got = In.read(Data.data() + Last, want);
            if (got < 0)
                throw EQuillery(QStringLiteral("Cannot read the file. %1").arg(In.errorString()));
            if (got == 0) {
                Eof = true;
                break;
            }
            const char* from = Data.data() + Last;
            Last += got;
            const char* p = Data.data() + Last;
            while (p > from && p[-1] == EndOfFile)
                --p;
            if (p > from) {
                Shown = p - Data.data();
                return true;
            }
        }
        return false;
    }

private:
    QIODevice& In;
    const qsizetype Block;
    std::vector<char> Data;
    qsizetype First = 0, Shown = 0, Last = 0;
    bool Eof = false;
};

// Reads records by the old text-file rules: a line ends at CR (an LF right after it belongs
// to the line end), a lone LF is text, and a line holding only a form feed ends a record.
class TRecordReader {
public:
    TRecordReader(QIODevice& in, qsizetype block) : Window(in, block) { Window.More(); }

    bool AtEnd() { return Window.Begin() == Window.End() && !Window.More(); }

    // A whole record that can be taken as it stands: every line ends in CR LF and the first
    // is not empty, so its text is exactly its bytes. Takes it and returns true, or leaves
    // the window as it was.
    bool TakeWholeRecord(QByteArray& text) {
        const char* p = Window.Begin();
        const char* end = Window.End();
        if (p == end || *p == '\r' || *p == FormFeed)
            return false; // an empty first line, or a separator line: line by line
        for (const char* s = p; (s = Find(s, end)) != nullptr; s += 3) {
            const char* after = s + 3;
            // The separator's line end must be read whole: its LF may be in the next block.
            if ((after == end || (*after == '\r' && after + 1 == end)) && !Window.Ended())
                return false;
            if (after != end && *after != '\r')
                continue; // a form feed followed by text is ordinary text
            if (HasLoneCR(p, s))
                return false;
            text = QByteArray(p, s - p);
            Window.Consume(after == end ? end : SkipLF(after + 1, end));
            return true;
        }
        return false;
    }

    // One line: up to its CR, which ends it with the one LF that may follow.
    QByteArray ReadLine(bool& atEnd) {
        qsizetype scanned = 0; // bytes already known to hold no CR
        const char* cr = nullptr;
        for (;;) {
            const char* p = Window.Begin() + scanned;
            const char* end = Window.End();
            cr = static_cast<const char*>(std::memchr(p, '\r', end - p));
            if (cr && cr + 1 < end)
                break;
            scanned = (cr ? cr : end) - Window.Begin();
            if (!Window.More()) // the line, or its line end, may go on in the next block
                break;
        }
        const char* p = Window.Begin();
        const char* end = Window.End();
        cr = static_cast<const char*>(std::memchr(p + scanned, '\r', end - p - scanned));
        QByteArray line(p, (cr ? cr : end) - p);
        Window.Consume(cr ? SkipLF(cr + 1, end) : end);
        atEnd = AtEnd();
        return line;
    }

    // One line of a plain text file: it ends at CR LF, a lone CR or a lone LF alike.
    QByteArray ReadTextLine() {
        qsizetype scanned = 0; // bytes already known to hold no line end
        const char* brk = nullptr;
        for (;;) {
            const char* p = Window.Begin() + scanned;
            const char* end = Window.End();
            brk = std::find_if(p, end, [](char c) { return c == '\r' || c == '\n'; });
            if (brk != end && (*brk == '\n' || brk + 1 < end))
                break;
            scanned = brk - Window.Begin();
            if (!Window.More()) // the line, or its CR LF, may go on in the next block
                break;
        }
        const char* p = Window.Begin();
        const char* end = Window.End();
        brk = std::find_if(p + scanned, end, [](char c) { return c == '\r' || c == '\n'; });
        QByteArray line(p, brk - p);
        if (brk == end)
            Window.Consume(end);
        else
            Window.Consume(*brk == '\r' ? SkipLF(brk + 1, end) : brk + 1);
        return line;
    }

private:
    // The CR LF in front of a form feed.
    static const char* Find(const char* from, const char* end) {
        return static_cast<const char*>(memmem(from, end - from, "\r\n\x0C", 3));
    }
    // A CR that no LF follows. Eight bytes at a time; only words holding a CR are looked at
    // byte by byte (a memchr per line costs more than the whole scan).
    static bool HasLoneCR(const char* p, const char* end) {
        constexpr quint64 ones = 0x0101010101010101ull;
        constexpr quint64 highs = 0x8080808080808080ull;
        constexpr quint64 crs = ones * '\r';
        auto lone = [end](const char* c) { return *c == '\r' && (c + 1 == end || c[1] != '\n'); };
        for (; end - p >= 8; p += 8) {
            quint64 word;
            std::memcpy(&word, p, 8);
            const quint64 x = word ^ crs;
            if (((x - ones) & ~x & highs) == 0)
                continue;
            for (int i = 0; i < 8; ++i) {
                if (lone(p + i))
                    return true;
            }
        }
        for (; p < end; ++p) {
            if (lone(p))
                return true;
        }
        return false;
    }
    static const char* SkipLF(const char* p, const char* end) {
        return p < end && *p == '\n' ? p + 1 : p;
    }

    TWindow Window;
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
    QByteArray bytes;
    ForEachRecord(texts, rows, [&](const char* data, qsizetype size) { bytes.append(data, size); });
    return bytes;
}

void Save(const QString& fileName, const QList<QByteArray>& texts, int rows) {
    TSafeFile file(fileName);
    // Records go out through one small buffer; a large clip is written straight from memory.
    QByteArray buffer;
    buffer.reserve(BlockSize);
    auto flush = [&] {
        file.Write(buffer);
        buffer.resize(0);
    };
    ForEachRecord(texts, rows, [&](const char* data, qsizetype size) {
        if (buffer.size() + size > BlockSize)
            flush();
        if (size > BlockSize)
            file.Write(data, size);
        else
            buffer.append(data, size);
    });
    flush();
    file.Commit();
}

namespace {
// The clips that the reading rules leave out after the list is full: each record, and a
// last line without its separator, that holds more than blanks.
qint64 CountRest(TRecordReader& reader) {
    qint64 rest = 0;
    bool text = false; // the record read so far holds more than blanks
    QByteArray record;
    while (!reader.AtEnd()) {
        if (!text && reader.TakeWholeRecord(record)) {
            rest += !ClipText::IsBlank(record);
            continue;
        }
        bool atEnd = false;
        const QByteArray line = reader.ReadLine(atEnd);
        if (line.size() == 1 && line.at(0) == FormFeed) {
            rest += text;
            text = false;
        } else {
            text = text || !ClipText::IsBlank(line);
        }
    }
    return rest + text;
}
} // namespace

TReadResult Read(QIODevice& in, QList<QByteArray>& texts, bool append, int rows, qsizetype block) {
    const int limit = int(std::min<qsizetype>(rows, texts.size()));
    if (!append) {
        for (QByteArray& text : texts)
            text.clear();
    }
    const int first = FirstTargetRow(texts, append);
    int target = first;
    TReadResult result;
    TRecordReader reader(in, block);
    while (target < limit && !reader.AtEnd()) {
        QByteArray& text = texts[target];
        if (text.isEmpty() && reader.TakeWholeRecord(text)) {
            ++target;
            continue;
        }
        bool atEnd = false;
        const QByteArray line = reader.ReadLine(atEnd);
        if (line.size() == 1 && line.at(0) == FormFeed) {
            ++target;
            continue;
        }
        if (atEnd) {
            // A last line without its separator is not a whole record.
            result.Left = !ClipText::IsBlank(line);
            break;
        }
        if (text.isEmpty())
            text = line;
        else
            text += ClipText::CRLF + line;
    }
    if (target >= limit)
        result.Left = CountRest(reader);
    for (int r = first; r < std::min(target + 1, limit); ++r)
        result.Read += !ClipText::IsBlank(texts[r]);
    return result;
}

TReadResult Decode(const QByteArray& bytes, QList<QByteArray>& texts, bool append, int rows,
                   qsizetype block) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return Read(buffer, texts, append, rows, block);
}

void OpenForReading(QFile& file, const QString& name) {
    const QString shown = NativeNames::Shown(name);
    // Not blocking: a pipe would wait for a writer.
    const int fd = ::open(NativeNames::Encode(name).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw EQuillery(QStringLiteral("Cannot open file \"%1\". %2")
                            .arg(shown, QString::fromLocal8Bit(std::strerror(errno))));
    // A folder, a pipe or a device is no file to read: reading a device might never end.
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw EQuillery(QStringLiteral("Cannot open file \"%1\". It is not a file.").arg(shown));
    }
    file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle);
}

QList<QByteArray> ReadLines(QIODevice& in, int max, qsizetype block) {
    QList<QByteArray> lines;
    TRecordReader reader(in, block);
    while (lines.size() < max && !reader.AtEnd())
        lines.append(reader.ReadTextLine());
    return lines;
}

QList<QByteArray> ReadLines(const QString& fileName, int max) {
    QFile file;
    OpenForReading(file, fileName);
    return ReadLines(file, max);
}

TReadResult Load(const QString& fileName, QList<QByteArray>& texts, bool append, int rows) {
    QFile file;
    OpenForReading(file, fileName);
    // A read that fails half-way leaves the list as it was.
    QList<QByteArray> read = texts;
    TReadResult result;
    try {
        result = Read(file, read, append, rows);
    } catch (const EQuillery&) {
        throw EQuillery(QStringLiteral("Cannot read file \"%1\". %2")
                            .arg(NativeNames::Shown(fileName), file.errorString()));
    }
    texts = std::move(read);
    return result;
}

} // namespace ClipListFile
