#include "TextSearch.h"

#include <QStringDecoder>

#include <algorithm>

namespace TextSearch {

bool Occurs(const QByteArray& clip, const QByteArray& find) {
    return !find.isEmpty() && clip.contains(find);
}

namespace {

bool IsAscii(const QString& text) {
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
}

bool IsUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    (void)decoder.decode(bytes);
    return !decoder.hasError();
}

// Matches are looked for in key: the clip itself, or its copy with A-Z made a-z.
int ReplaceBytes(QByteArray& clip, const QByteArray& key, const QByteArray& find,
                 const QByteArray& replace, bool all) {
    int count = 0;
    QByteArray out;
    qsizetype done = 0; // bytes of clip already in out
    for (qsizetype at = key.indexOf(find); at >= 0; at = key.indexOf(find, at + find.size())) {
        out.append(clip.constData() + done, at - done).append(replace);
        done = at + find.size();
        ++count;
        if (!all)
            break;
    }
    if (count == 0)
        return 0;
    out.append(clip.constData() + done, clip.size() - done);
    clip = std::move(out);
    return count;
}

// Letter case folded beyond A-Z: through the decoded text of a UTF-8 clip.
int ReplaceFolded(QByteArray& clip, const QString& find, const QString& replace, bool all) {
    const QString text = QString::fromUtf8(clip);
    QString out;
    qsizetype done = 0;
    int count = 0;
    for (qsizetype at = text.indexOf(find, 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(find, at + find.size(), Qt::CaseInsensitive)) {
        out += QStringView(text).mid(done, at - done);
        out += replace;
        done = at + find.size();
        ++count;
        if (!all)
            break;
    }
    if (count == 0)
        return 0;
    out += QStringView(text).mid(done);
    clip = out.toUtf8();
    return count;
}

} // namespace

int Replace(QByteArray& clip, const QString& find, const QString& replace, bool matchCase,
            bool all) {
    if (find.isEmpty())
        return 0;
    const QByteArray needle = find.toUtf8();
    if (matchCase)
        return ReplaceBytes(clip, clip, needle, replace.toUtf8(), all);
    if (IsAscii(find) || !IsUtf8(clip))
        return ReplaceBytes(clip, clip.toLower(), needle.toLower(), replace.toUtf8(), all);
    return ReplaceFolded(clip, find, replace, all);
}

} // namespace TextSearch
