#include "AppIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace AppIcons {

static QPixmap Clipboard(int size, bool suspended = false) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);

    // The board.
    p.setPen(QPen(QColor(0x5a, 0x3a, 0x1e), 1.2));
    p.setBrush(QColor(0xc8, 0x8a, 0x4a));
    p.drawRoundedRect(QRectF(4.5, 3.5, 23, 27), 3, 3);
    // The sheet.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xfb, 0xfb, 0xf6));
    p.drawRect(QRectF(7.5, 7.5, 17, 20.5));
    // Lines of text.
    p.setPen(QPen(QColor(0x2f, 0x6f, 0xc6), 2, Qt::SolidLine, Qt::RoundCap));
    for (double y : {12.5, 17.0, 21.5})
        p.drawLine(QPointF(10.5, y), QPointF(y > 20 ? 17.5 : 21.5, y));
    // The clip.
    p.setPen(QPen(QColor(0x30, 0x30, 0x38), 1));
    p.setBrush(QColor(0x9a, 0xa3, 0xad));
    p.drawRoundedRect(QRectF(11, 1.5, 10, 5.5), 1.5, 1.5);
    // A quill across the corner.
    QPainterPath quill;
    quill.moveTo(29.5, 14);
    quill.cubicTo(25, 17, 21, 23, 19.5, 29.5);
    quill.cubicTo(23, 25, 27.5, 21, 29.5, 14);
    p.setPen(QPen(QColor(0x1f, 0x2a, 0x44), 0.8));
    p.setBrush(QColor(0x3b, 0x5b, 0xa5));
    p.drawPath(quill);
    if (suspended) {
        // Washed out, with a red pause sign that still reads at 16 pixels.
        p.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        p.fillRect(QRectF(0, 0, 32, 32), QColor(0xd0, 0xd0, 0xd0, 150));
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.setPen(QPen(Qt::white, 1.5));
        p.setBrush(QColor(0xc6, 0x28, 0x28));
        p.drawEllipse(QRectF(13, 13, 18, 18));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(18, 17.5, 3, 9));
        p.drawRect(QRectF(23, 17.5, 3, 9));
    }
    return pixmap;
}

static QIcon Drawn(bool suspended) {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128})
        icon.addPixmap(Clipboard(size, suspended));
    return icon;
}

QIcon Normal() {
    return Drawn(false);
}

QIcon Suspended() {
    return Drawn(true);
}

} // namespace AppIcons
