#pragma once

#include <QString>

namespace FileNames {

// The folder of a file: its name up to the last separator, without it (a root keeps it).
QString FolderOf(const QString& fileName);

// dir + "qlry0001.Clp" ... "qlry9999.Clp"; dir ends with a separator.
QString TempListName(const QString& dir, int number);

// The first temporary list name in dir that no file holds yet; empty when all are taken.
QString FirstFreeTempList(const QString& dir);

} // namespace FileNames
