#pragma once

#include <QString>
#include <QStringList>

// The rules of language files that need no windows.
namespace LanguageText {

// Removes blanks and control characters (codes up to 0x20) from both ends.
QString TrimBlanks(const QString& text);

// An empty separator, or one of blanks and control characters only, becomes ",".
QString NormalizeSeparator(const QString& separator);

// The items of a string-list value: each piece before a separator, trimmed, even when
// empty; the last piece only when it is not empty.
QStringList SplitItems(const QString& value, const QString& separator);

// Names compare with only the letters a-z and A-Z folded.
bool SameName(const QString& a, const QString& b);

// The main window's translation list: 107 property paths and 13 empty entries between the
// groups, in order. Language files are keyed by these exact texts.
QStringList MainFormProperties();

// Every English text the program passes through the message lookup.
QStringList MessageKeys();

// The language files in dir: base names (without the final extension) of the entries
// matching *.lng in any letter case, sorted without regard to case.
QStringList LanguageNames(const QString& dir);

// dir + name + ".lng", or the file of that name whose extension has other letter case.
QString LanguageFile(const QString& dir, const QString& name);

// The same over several folders, searched in order: a name found in an earlier folder hides
// the same name in a later one.
QStringList LanguageNames(const QStringList& dirs);
QString LanguageFile(const QStringList& dirs, const QString& name);

// The translation of a message from the "Messages" section of the file, read anew each
// time; the text itself when the file or the key is missing.
QString MessageText(const QString& languageFile, const QString& text);

} // namespace LanguageText
