#pragma once

#include <QIcon>

// The program's icons, drawn from its SVG picture at each size the desktop asks for so they stay
// sharp in the tray.
namespace AppIcons {
QIcon Normal();
QIcon Suspended(); // archiving suspended: greyed, with a pause sign
// An SVG picture of the program's resources, drawn for a screen of that scale.
QPixmap Picture(const QString& svg, QSize size, qreal scale = 1);
} // namespace AppIcons
