#pragma once

#include <QIcon>

// The tool bar's pictures: the desktop theme's where it has them, our own drawn otherwise, at
// every size asked for so they stay sharp at any scale.
namespace ToolIcons {
QIcon Open();
QIcon Save();
QIcon ZoomIn();
QIcon ZoomOut();
QIcon Insert();
QIcon Delete();
QIcon Options();
QIcon Font();
QIcon Help();
} // namespace ToolIcons
