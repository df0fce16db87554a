#include "TextSearch.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstring>

namespace TextSearch {

bool Occurs(const QByteArray& clip, const QByteArray& find) {
    return !find.isEmpty() && clip.contains(find);
}

namespace {
// A-Z made a-z, nothing else: eight bytes at a time, each byte tested for A-Z at once.
QByteArray AsciiLower(const QByteArray& bytes) {
    constexpr quint64 ones = 0x0101010101010101ull;
    constexpr quint64 highs = 0x8080808080808080ull;
    QByteArray lower(bytes.size(), Qt::Uninitialized);
    const char* in = bytes.constData();
    char* out = lower.data();
    qsizetype i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        quint64 x;
        std::memcpy(&x, in + i, 8);
        const quint64 seven = x & ~highs;
        const quint64 atLeastA = seven + (0x80 - 'A') * ones;
        const quint64 aboveZ = seven + (0x7F - 'Z') * ones;
        const quint64 upper = ~x & (atLeastA ^ aboveZ) & highs;
        x |= upper >> 2; // 0x80 >> 2 is the 0x20 between the cases
        std::memcpy(out + i, &x, 8);
    }
    for (; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(in[i]);
        out[i] = char(c + (static_cast<unsigned char>(c - 'A') < 26 ? 32 : 0));
    }
    return lower;
}

bool IsUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    (void)decoder.decode(bytes);
    return !decoder.hasError();
}
} // namespace

TReplacer::TReplacer(const QString& find, const QString& replace, bool matchCase)
    : Find(find), Replace(replace), Needle(find.toUtf8()), LowerNeedle(AsciiLower(Needle)),
      Bytes(replace.toUtf8()), MatchCase(matchCase),
      AsciiFind(
          std::all_of(find.cbegin(), find.cend(), [](QChar c) { return c.unicode() < 0x80; })) {}

int TReplacer::Apply(QByteArray& clip, bool all) const {
    if (Needle.isEmpty())
        return 0;
    if (MatchCase)
        return ReplaceBytes(clip, clip, Needle, all);
    if (AsciiFind || !IsUtf8(clip))
        return ReplaceBytes(clip, AsciiLower(clip), LowerNeedle, all);
    return ReplaceFolded(clip, all);
}

// Matches are looked for in key: the clip itself, or its copy with A-Z made a-z.
int TReplacer::ReplaceBytes(QByteArray& clip, const QByteArray& key, const QByteArray& needle,
                            bool all) const {
    // Where the matches are first, then the new text in one piece of the right size.
    Hits.clear();
    const char* k = key.constData();
    const qsizetype m = needle.size();
    const qsizetype last = key.size() - m; // the last place a match can start
    for (qsizetype from = 0; from <= last;) {
        // The first byte by memchr, which is fast; then the rest in place.
        const void* first = std::memchr(k + from, needle[0], size_t(last - from + 1));
        if (!first)
            break;
        const qsizetype at = static_cast<const char*>(first) - k;
        if (std::memcmp(k + at + 1, needle.constData() + 1, size_t(m - 1)) != 0) {
            from = at + 1;
            continue;
        }
        Hits.push_back(at);
        from = at + m;
        if (!all)
            break;
    }
    if (Hits.empty())
        return 0;
    QByteArray out(clip.size() + qsizetype(Hits.size()) * (Bytes.size() - m), Qt::Uninitialized);
    char* o = out.data();
    const char* c = clip.constData();
    qsizetype done = 0; // bytes of clip already in out
    for (qsizetype at : Hits) {
        std::memcpy(o, c + done, size_t(at - done));
        o += at - done;
        std::memcpy(o, Bytes.constData(), size_t(Bytes.size()));
        o += Bytes.size();
        done = at + m;
    }
    std::memcpy(o, c + done, size_t(clip.size() - done));
    clip = std::move(out);
    return int(Hits.size());
}

// Letter case folded beyond A-Z: through the decoded text of a UTF-8 clip.
int TReplacer::ReplaceFolded(QByteArray& clip, bool all) const {
    const QString text = QString::fromUtf8(clip);
    qsizetype at = text.indexOf(Find, 0, Qt::CaseInsensitive);
    if (at < 0)
        return 0;
    QString out;
    qsizetype done = 0;
    int count = 0;
    for (; at >= 0; at = all ? text.indexOf(Find, at + Find.size(), Qt::CaseInsensitive) : -1) {
        out += QStringView(text).mid(done, at - done);
        out += Replace;
        done = at + Find.size();
        ++count;
    }
    out += QStringView(text).mid(done);
    clip = out.toUtf8();
    return count;
}

} // namespace TextSearch
