#include "IniFile.h"

#include "core/Errors.h"
#include "core/files/NativeNames.h"
#include "core/files/SafeFile.h"
#include "core/text/ClipText.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {
// Text saved as UTF-16 by some editors on the first platform, as UTF-8 bytes; the decoder
// drops the byte order mark.
QByteArray FromUtf16(const QByteArray& bytes) {
    const auto encoding = QStringConverter::encodingForData(bytes);
    if (encoding != QStringConverter::Utf16LE && encoding != QStringConverter::Utf16BE)
        return bytes;
    return QString(QStringDecoder(*encoding).decode(bytes)).toUtf8();
}
} // namespace

TIniFile::TIniFile(QString fileName) : Path(std::move(fileName)) {
    const QFileInfo info(Path);
    if (!info.exists())
        return;
    QFile file(Path);
    NotRead = !info.isFile() || info.size() > MaxFileBytes || !file.open(QIODevice::ReadOnly);
    if (NotRead)
        return;
    const QByteArray bytes = file.read(MaxFileBytes + 1);
    NotRead = bytes.size() > MaxFileBytes;
    if (!NotRead)
        Parse(FromUtf16(bytes));
}

TIniFile::TIniFile(QString fileName, const QByteArray& contents) : Path(std::move(fileName)) {
    Parse(contents);
}

void TIniFile::Parse(const QByteArray& bytes) {
    if (bytes.contains("\r\n"))
        Eol = QStringLiteral("\r\n");
    // Every byte kept, so a line goes back as it came and a file name that is not UTF-8 stays.
    for (const QByteArray& line : ClipText::SplitLines(bytes))
        Lines.append(NativeNames::Decode(line));
}

QString TIniFile::SectionName(const QString& line, bool& isSection) {
    const QString t = line.trimmed();
    isSection = t.startsWith(QLatin1Char('['));
    if (!isSection)
        return {};
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    return (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
}

QString TIniFile::KeyName(const QString& line, qsizetype& eq) {
    eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? line.trimmed() : line.left(eq).trimmed();
}

TIniFile::Found TIniFile::Find(const QString& section, const QString& key) const {
    Found f;
    const QString wantSection = section.trimmed();
    const QString wantKey = key.trimmed();
    for (int i = 0; i < Lines.size(); ++i) {
        bool isSection = false;
        const QString name = SectionName(Lines[i], isSection);
        if (isSection) {
            if (f.Section >= 0)
                break; // only the first section of that name counts
            if (name.compare(wantSection, Qt::CaseInsensitive) == 0) {
                f.Section = i;
                f.End = i + 1;
            }
            continue;
        }
        if (f.Section < 0)
            continue;
        if (!Lines[i].trimmed().isEmpty())
            f.End = i + 1;
        qsizetype eq = -1;
        if (f.Key < 0 && KeyName(Lines[i], eq).compare(wantKey, Qt::CaseInsensitive) == 0 &&
            eq >= 0)
            f.Key = i;
    }
    return f;
}

QStringList TIniFile::Keys(const QString& section) const {
    QStringList keys;
    bool inside = false;
    for (const QString& line : Lines) {
        bool isSection = false;
        const QString name = SectionName(line, isSection);
        if (isSection) {
            if (inside)
                break;
            inside = name.compare(section.trimmed(), Qt::CaseInsensitive) == 0;
            continue;
        }
        qsizetype eq = -1;
        const QString key = KeyName(line, eq);
        if (inside && eq >= 0)
            keys.append(key);
    }
    return keys;
}

bool TIniFile::ValueExists(const QString& section, const QString& key) const {
    return Find(section, key).Key >= 0;
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& def) const {
    const QString value = ReadValue(section, key, def);
    // Bytes that are not UTF-8 are an old single-byte text, as in a list file.
    return NativeNames::HasEscapes(value) ? ClipText::Decode(NativeNames::Encode(value)) : value;
}

namespace {
const QLatin1String FileUrl("file://");

// Whether the value as written would read back as something else.
bool NeedsUrl(const QString& name) {
    const bool quoted = name.size() >= 2 &&
                        (name.front() == QLatin1Char('"') || name.front() == QLatin1Char('\'')) &&
                        name.back() == name.front();
    return name.contains(QLatin1Char('\n')) || name.contains(QLatin1Char('\r')) ||
           name != name.trimmed() || quoted || name.startsWith(FileUrl);
}
} // namespace

void TIniFile::WritePath(const QString& section, const QString& key, const QString& name) {
    if (!NeedsUrl(name)) {
        WriteString(section, key, name);
        return;
    }
    const QByteArray bytes = NativeNames::Encode(name).toPercentEncoding("/");
    WriteString(section, key, FileUrl + QString::fromLatin1(bytes));
}

QString TIniFile::ReadPath(const QString& section, const QString& key, const QString& def) const {
    QString value = ReadValue(section, key, def);
    if (!value.startsWith(FileUrl))
        return value;
    const QByteArray encoded = NativeNames::Encode(value.mid(FileUrl.size()));
    return NativeNames::Decode(QByteArray::fromPercentEncoding(encoded));
}

QString TIniFile::ReadValue(const QString& section, const QString& key, const QString& def) const {
    const Found f = Find(section, key);
    if (f.Key < 0)
        return def;
    const QString& line = Lines[f.Key];
    QString value = line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            value = value.mid(1, value.size() - 2);
    }
    if (value.size() > MaxValueLength) {
        // Never leave half of a surrogate pair at the cut.
        qsizetype cut = MaxValueLength;
        if (value.at(cut - 1).isHighSurrogate())
            --cut;
        value.truncate(cut);
    }
    return value;
}

bool TIniFile::ParseInteger(const QString& text, int& value) {
    QString t = text.trimmed();
    bool negative = false;
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) {
        negative = t.front() == QLatin1Char('-');
        t.remove(0, 1);
    }
    int base = 10;
    if (t.size() > 2 && (t.startsWith(QLatin1String("0x")) || t.startsWith(QLatin1String("0X")))) {
        base = 16;
        t.remove(0, 2);
    } else if (t.startsWith(QLatin1Char('$'))) {
        base = 16;
        t.remove(0, 1);
    }
    // Digits only: Qt's own parsing would also take blanks and a second "0x" after the prefix.
    const auto isDigit = [base](QChar c) {
        return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
               (base == 16 && ((c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
                               (c >= QLatin1Char('A') && c <= QLatin1Char('F'))));
    };
    if (t.isEmpty() || !std::all_of(t.cbegin(), t.cend(), isDigit))
        return false;
    bool ok = false;
    const qulonglong magnitude = t.toULongLong(&ok, base);
    // Hex may use all 32 bits (FFFFFFFF is -1); decimal must fit a signed 32-bit integer.
    const qulonglong limit =
        base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    if (!ok || magnitude > limit)
        return false;
    const auto bits = static_cast<quint32>(magnitude);
    value = static_cast<int>(negative ? 0u - bits : bits);
    return true;
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int def) const {
    int value = def;
    return ParseInteger(ReadString(section, key, QString()), value) ? value : def;
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    // A line break inside a value would split it into lines of its own.
    QString safe = value;
    safe.replace(QLatin1Char('\r'), QLatin1Char(' '));
    safe.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString line = key + QLatin1Char('=') + safe;
    const Found f = Find(section, key);
    if (f.Key >= 0) {
        Lines[f.Key] = line;
    } else if (f.Section >= 0) {
        Lines.insert(f.End, line);
    } else {
        Lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
        Lines.append(line);
    }
}

void TIniFile::DeleteKey(const QString& section, const QString& key) {
    const Found f = Find(section, key);
    if (f.Key >= 0)
        Lines.removeAt(f.Key);
}

void TIniFile::WriteInteger(const QString& section, const QString& key, int value) {
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString& section, const QString& key, bool value) {
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QByteArray TIniFile::Bytes() const {
    QByteArray bytes;
    const QByteArray eol = Eol.toLatin1();
    for (const QString& line : Lines) {
        bytes += NativeNames::Encode(line);
        bytes += eol;
    }
    return bytes;
}

void TIniFile::UpdateFile() const {
    if (NotRead)
        throw EQuillery(QStringLiteral("Unable to write to %1").arg(Path));
    const QByteArray bytes = Bytes();
    try {
        TSafeFile::WriteAll(Path, bytes);
    } catch (const EQuillery&) {
        throw EQuillery(QStringLiteral("Unable to write to %1").arg(Path));
    }
}
