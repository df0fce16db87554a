#pragma once

#include <QIcon>
#include <QList>

#include <functional>

// An icon drawn at a size when that size is first shown, not at every size up front: a start
// of the program draws only what it shows.
namespace PaintedIcon {

// Draws the picture on a transparent square pixmap of the given side, in pixels.
using TPaint = std::function<QPixmap(int side)>;

// sizes: what the icon offers where a list of sizes is asked for (a window's icon, the tray).
QIcon Make(TPaint paint, const QList<int>& sizes);

} // namespace PaintedIcon
