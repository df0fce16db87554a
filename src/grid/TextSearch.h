#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// Finding and replacing text inside clips. Clips are bytes; the texts searched for are the
// user's, as UTF-8. A UTF-8 text never matches inside another character, and bytes that are
// not UTF-8 are left as they are wherever nothing is replaced.
namespace TextSearch {

// The find text occurs in the clip, byte for byte (letter case counts). An empty find text
// occurs nowhere.
bool Occurs(const QByteArray& clip, const QByteArray& find);

// Replaces the first occurrence of a find text in a clip, or all of them; the search goes on
// after each inserted text. Without match case, letters match whatever their case: A-Z with
// a-z always, other letters where the clip is UTF-8. Made once for a whole list.
class TReplacer {
public:
    TReplacer(const QString& find, const QString& replace, bool matchCase);
    // The number of replacements made in clip.
    int Apply(QByteArray& clip, bool all) const;

private:
    int ReplaceBytes(QByteArray& clip, const QByteArray& key, const QByteArray& needle,
                     bool all) const;
    int ReplaceFolded(QByteArray& clip, bool all) const;

    QString Find, Replace;
    mutable std::vector<qsizetype> Hits; // kept from clip to clip
    QByteArray Needle, LowerNeedle, Bytes;
    bool MatchCase, AsciiFind;
};

} // namespace TextSearch
