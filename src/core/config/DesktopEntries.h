#pragma once

#include <QString>

// The program's place on the desktop, as freedesktop.org files in the user's folders
// ($XDG_DATA_HOME, $XDG_CONFIG_HOME): .clp files open with the program, and the program starts
// with the session. Each throws EQuillery with the reason when a file cannot be written.
namespace DesktopEntries {

// Associating writes a shared-mime-info package for *.clp, a desktop entry that opens a file
// with the program, and makes it the default; removing takes out ours and leaves a default
// that names another program alone. With an SVG icon, the entry and the .clp files show it
// (the user's hicolor icon theme gets it as typeName.svg and as the MIME type's icon).
void AssociateFile(const QString& typeName, bool associate, const QString& programPath,
                   const QByteArray& iconSvg = {});
// The icon name of the .clp MIME type.
QString MimeIconName();

// The autostart entry named after name, starting target with the arguments.
void AddStartupShortcut(const QString& name, const QString& target, const QString& arguments);
void RemoveStartupShortcut(const QString& name); // a missing entry is no error

// An old "Tavrin" autostart entry with a command becomes ours; true when one was turned.
bool MigrateStartupEntry(const QString& programPath);

// A path as one argument of a desktop entry's Exec key.
QString ExecArgument(const QString& path);

} // namespace DesktopEntries
