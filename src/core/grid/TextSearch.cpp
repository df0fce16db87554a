#include "TextSearch.h"

#include "core/text/ClipText.h"

#include <algorithm>
#include <cstring>

namespace TextSearch {

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
} // namespace

TReplacer::TReplacer(const QString& find, const QString& replace, bool matchCase)
    : Find(find), Replace(replace), MatchCase(matchCase),
      AsciiFind(
          std::all_of(find.cbegin(), find.cend(), [](QChar c) { return c.unicode() < 0x80; })) {
    Utf8 = {find.toUtf8(), {}, replace.toUtf8(), !find.isEmpty(), true};
    Cp1252.Valid = !find.isEmpty() && ClipText::EncodeCp1252(find, Cp1252.Needle);
    Cp1252.ReplaceValid = ClipText::EncodeCp1252(replace, Cp1252.Bytes);
    Utf8.Lower = AsciiLower(Utf8.Needle);
    Cp1252.Lower = AsciiLower(Cp1252.Needle);
}

// Folding other letters than A-Z needs the characters of a UTF-8 clip.
bool TReplacer::FoldsBeyondAscii() const {
    return !MatchCase && !AsciiFind;
}

bool TReplacer::Finds(const QByteArray& clip) const {
    if (ClipText::IsUtf8(clip)) {
        if (FoldsBeyondAscii())
            return QString::fromUtf8(clip).contains(Find, Qt::CaseInsensitive);
        return FindHits(clip, Utf8, false);
    }
    return FindHits(clip, Cp1252, false);
}

int TReplacer::Apply(QByteArray& clip, bool all) const {
    return ClipText::IsUtf8(clip) ? ApplyUtf8(clip, all) : ApplySingleByte(clip, all);
}

int TReplacer::ApplyUtf8(QByteArray& clip, bool all) const {
    if (FoldsBeyondAscii())
        return ReplaceFolded(clip, all);
    if (!FindHits(clip, Utf8, all))
        return 0;
    Splice(clip, Utf8.Needle.size(), Utf8.Bytes);
    return int(Hits.size());
}

int TReplacer::ApplySingleByte(QByteArray& clip, bool all) const {
    if (!FindHits(clip, Cp1252, all))
        return 0;
    if (!Cp1252.ReplaceValid) {
        // The new text has characters the old code lacks: the clip becomes UTF-8 text.
        QByteArray utf8 = ClipText::Decode(clip).toUtf8();
        const int n = ApplyUtf8(utf8, all);
        clip = std::move(utf8);
        return n;
    }
    Splice(clip, Cp1252.Needle.size(), Cp1252.Bytes);
    // Bytes that now happen to form UTF-8 would be read as other characters: the clip keeps
    // its characters as UTF-8 text.
    if (ClipText::IsUtf8(clip)) // (all ASCII: the same bytes)
        clip = ClipText::DecodeCp1252(clip).toUtf8();
    return int(Hits.size());
}

// Where the find text occurs in the clip, into Hits: the first place, or all that do not
// overlap. Without match case, A-Z and a-z match each other.
bool TReplacer::FindHits(const QByteArray& clip, const TCoded& coded, bool all) const {
    Hits.clear();
    if (!coded.Valid)
        return false;
    const QByteArray key = MatchCase ? clip : AsciiLower(clip);
    const QByteArray& needle = MatchCase ? coded.Needle : coded.Lower;
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
    return !Hits.empty();
}

// The clip with each hit of matched bytes replaced by bytes, built in one piece.
void TReplacer::Splice(QByteArray& clip, qsizetype matched, const QByteArray& bytes) const {
    QByteArray out(clip.size() + qsizetype(Hits.size()) * (bytes.size() - matched),
                   Qt::Uninitialized);
    char* o = out.data();
    const char* c = clip.constData();
    qsizetype done = 0; // bytes of clip already in out
    for (qsizetype at : Hits) {
        std::memcpy(o, c + done, size_t(at - done));
        o += at - done;
        std::memcpy(o, bytes.constData(), size_t(bytes.size()));
        o += bytes.size();
        done = at + matched;
    }
    std::memcpy(o, c + done, size_t(clip.size() - done));
    clip = std::move(out);
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
