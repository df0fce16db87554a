#include "ClipText.h"

#include <QStringDecoder>

#include <algorithm>
#include <iterator>
#include <string>

#include <cstring>

namespace ClipText {

bool IsBlank(const QByteArray& text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) > 0x20)
            return false;
    }
    return true;
}

static unsigned char Folded(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 'a' && b <= 'z') ? static_cast<unsigned char>(b - 0x20) : b;
}

int Compare(const QByteArray& a, const QByteArray& b) {
    const qsizetype n = std::min(a.size(), b.size());
    const char* pa = a.constData();
    const char* pb = b.constData();
    // Bytes equal as they stand are equal folded too: skip them eight at a time.
    qsizetype i = 0;
    for (; i + 8 <= n && std::memcmp(pa + i, pb + i, 8) == 0; i += 8) {
    }
    for (; i < n; ++i) {
        const unsigned char ca = Folded(pa[i]);
        const unsigned char cb = Folded(pb[i]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

QByteArray WithLineEnds(const QList<QByteArray>& lines) {
    QByteArray text;
    for (const QByteArray& line : lines)
        text += line + CRLF;
    return text;
}

QList<QByteArray> SplitLines(const QByteArray& text) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = text.at(i);
        if (c != '\r' && c != '\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == '\r' && i + 1 < n && text.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

// Windows-1252 differs from Latin-1 only in 0x80..0x9F.
static const char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString DecodeCp1252(const QByteArray& text) {
    QString out(text.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        *dst++ = (b >= 0x80 && b <= 0x9F) ? QChar(kCp1252High[b - 0x80]) : QChar(b);
    }
    return out;
}

bool EncodeCp1252(const QString& text, QByteArray& bytes) {
    bytes.resize(text.size());
    char* out = bytes.data();
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            *out++ = char(u);
            continue;
        }
        const auto* hit = std::find(std::begin(kCp1252High), std::end(kCp1252High), u);
        if (hit == std::end(kCp1252High))
            return false;
        *out++ = char(0x80 + (hit - kCp1252High));
    }
    return true;
}

QString Decode(const QByteArray& text) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = decoder.decode(text);
    return decoder.hasError() ? DecodeCp1252(text) : decoded;
}

// Well-formed UTF-8 as the decoder takes it (no overlong forms, surrogates or code points
// past U+10FFFF), checked without decoding: ASCII eight bytes at a time.
bool IsUtf8(const QByteArray& text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.constData());
    const auto* end = p + text.size();
    while (p < end) {
        quint64 word;
        if (end - p >= 8 && (std::memcpy(&word, p, 8), (word & 0x8080808080808080ull) == 0)) {
            p += 8;
            continue;
        }
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        const int n = c >= 0xC2 && c <= 0xDF   ? 1
                      : c >= 0xE0 && c <= 0xEF ? 2
                      : c >= 0xF0 && c <= 0xF4 ? 3
                                               : -1;
        if (n < 0 || end - p <= n)
            return false;
        // The second byte's range rules out overlong forms, surrogates and too-large values.
        const unsigned char lo = c == 0xE0 ? 0xA0 : c == 0xF0 ? 0x90 : 0x80;
        const unsigned char hi = c == 0xED ? 0x9F : c == 0xF4 ? 0x8F : 0xBF;
        if (p[1] < lo || p[1] > hi)
            return false;
        for (int i = 2; i <= n; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
        }
        p += n + 1;
    }
    return true;
}

namespace {
// The first bytes of a text, decoded as Decode would decode the whole: a character cut at the
// end of the prefix is dropped, while one cut at the end of the text makes it Windows-1252.
QString DecodeHead(const QByteArray& text, qsizetype bytes) {
    const bool whole = text.size() <= bytes;
    QStringDecoder decoder(QStringDecoder::Utf8,
                           whole ? QStringDecoder::Flag::Stateless : QStringDecoder::Flag::Default);
    const QByteArray head = whole ? text : text.left(bytes);
    QString decoded = decoder.decode(head);
    return decoder.hasError() ? DecodeCp1252(head) : decoded;
}
} // namespace

QString Preview(const QByteArray& text, int maxChars) {
    // Four bytes per character covers any UTF-8 sequence.
    QString s = DecodeHead(text, qsizetype(maxChars) * 4);
    s.truncate(maxChars);
    s.replace(QLatin1String("\r\n"), QStringLiteral(" \u21B5 "));
    s.replace(QLatin1Char('\r'), QStringLiteral(" \u21B5 "));
    s.replace(QLatin1Char('\n'), QStringLiteral(" \u21B5 "));
    s.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return s;
}

namespace {
// What a code point of a clip becomes on a launcher's line.
void AppendVisible(char32_t c, std::u32string& out) {
    if (c == '\n' || c == 0x85 || c == 0x2028 || c == 0x2029)
        out += U" \u21B5 ";
    else if (c == '\t')
        out += U' ';
    else if (c < 0x20)
        out += char32_t(0x2400 + c); // the control pictures: NUL is U+2400
    else if (c == 0x7F)
        out += U'\u2421';
    else if (c >= 0x80 && c <= 0x9F) // C1 controls, which some terminals obey
        out += U'\uFFFD';
    else
        out += c;
}
} // namespace

QString OneLine(const QByteArray& text, int maxChars) {
    maxChars = std::max(maxChars, 1);
    // Enough bytes for one character past the limit, whatever their encoding.
    const QList<uint> points = DecodeHead(text, qsizetype(maxChars) * 4 + 4).toUcs4();
    std::u32string out;
    for (qsizetype i = 0; i < points.size(); ++i) {
        const char32_t c = points[i];
        if (c == '\r' && i + 1 < points.size() && points[i + 1] == '\n')
            continue; // CR LF is one break
        AppendVisible(c == '\r' ? U'\n' : c, out);
    }
    if (out.size() > size_t(maxChars)) {
        out.resize(size_t(maxChars) - 1);
        out += U'\u2026';
    }
    return QString::fromUcs4(out.data(), qsizetype(out.size()));
}

} // namespace ClipText
