#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// Finding and replacing text inside clips. Clips are bytes; the texts searched for are the
// user's. A clip that is UTF-8 is searched for the text as UTF-8, never inside another
// character; a clip in the old single-byte code (shown as Windows-1252) is searched for the
// text in that code, so what the user sees is what is found. Bytes are left as they are
// wherever nothing is replaced.
namespace TextSearch {

// Finds a text in clips, and replaces the first occurrence in a clip, or all of them; the
// search goes on after each inserted text. Without match case, letters match whatever their
// case: A-Z with a-z always, other letters where the clip is UTF-8. An empty find text occurs
// nowhere. Made once for a whole list.
class TReplacer {
public:
    TReplacer(const QString& find, const QString& replace, bool matchCase);
    bool Finds(const QByteArray& clip) const;
    // The number of replacements made in clip.
    int Apply(QByteArray& clip, bool all) const;

private:
    // The find and replace texts as bytes of one code; Valid is false where the find text has
    // no bytes in it (or, for Replace, the replace text).
    struct TCoded {
        QByteArray Needle, Lower, Bytes;
        bool Valid = false, ReplaceValid = false;
    };
    bool FindHits(const QByteArray& clip, const TCoded& coded, bool all) const;
    void Splice(QByteArray& clip, qsizetype matched, const QByteArray& bytes) const;
    int ApplyUtf8(QByteArray& clip, bool all) const;
    int ApplySingleByte(QByteArray& clip, bool all) const;
    int ReplaceFolded(QByteArray& clip, bool all) const;
    bool FoldsBeyondAscii() const;

    QString Find, Replace;
    mutable std::vector<qsizetype> Hits; // kept from clip to clip
    TCoded Utf8, Cp1252;
    bool MatchCase, AsciiFind;
};

} // namespace TextSearch
