#pragma once

#include <QByteArray>
#include <QString>

// Finding and replacing text inside clips. Clips are bytes; the texts searched for are the
// user's, as UTF-8. A UTF-8 text never matches inside another character, and bytes that are
// not UTF-8 are left as they are wherever nothing is replaced.
namespace TextSearch {

// The find text occurs in the clip, byte for byte (letter case counts). An empty find text
// occurs nowhere.
bool Occurs(const QByteArray& clip, const QByteArray& find);

// Replaces the first occurrence of find in clip, or all of them; the search goes on after each
// inserted text. Without matchCase, letters match
// whatever their case: A-Z with a-z always, other letters where the clip is UTF-8. Returns
// the number of replacements.
int Replace(QByteArray& clip, const QString& find, const QString& replace, bool matchCase,
            bool all);

} // namespace TextSearch
