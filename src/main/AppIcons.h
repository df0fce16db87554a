#pragma once

#include <QIcon>

// The program's icons, drawn at each size the desktop asks for so they stay sharp in the tray.
namespace AppIcons {
QIcon Normal();
QIcon Suspended(); // archiving suspended: greyed, with a pause sign
} // namespace AppIcons
