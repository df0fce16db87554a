#pragma once

#include <QString>
#include <QStringList>

namespace FileNames {

// The folder of a file: its name up to the last separator, without it (a root keeps it).
QString FolderOf(const QString& fileName);

// Names are held as NativeNames keeps them, so a name that is not UTF-8 still opens.

// The files in dir (or links to files) whose names match pattern in any letter case (as on
// the program's first platform), hidden ones too, sorted by name without regard to case.
QStringList EntriesMatching(const QString& dir, const QString& pattern);

// Whether anything is there, following links: a link to nowhere is nothing.
bool Exists(const QString& name);

// A chosen name that a command can take: a file that exists, not a folder.
bool IsExistingFile(const QString& name);

// Whether two names lead to one file: the same absolute name, or links to one.
bool SameFile(const QString& a, const QString& b);

// A link, whether or not it leads anywhere.
bool IsLink(const QString& name);

// dir + "qlry0001.Clp" ... "qlry9999.Clp"; dir ends with a separator.
QString TempListName(const QString& dir, int number);

// Creates the first temporary list in dir that no file holds yet, empty and readable by its
// owner only, and returns its name; empty when all are taken. Created exclusively, so two
// programs ending at once never take the same one.
QString ReserveTempList(const QString& dir);

} // namespace FileNames
