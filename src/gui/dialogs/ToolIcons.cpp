#include "ToolIcons.h"

#include "PaintedIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace ToolIcons {
namespace {

using TDraw = std::function<void(QPainter&)>;

// A picture drawn on a 16 by 16 grid, at the size shown.
QIcon Drawn(const TDraw& draw) {
    return PaintedIcon::Make(
        [draw](int side) {
            QPixmap pixmap(side, side);
            pixmap.fill(Qt::transparent);
            QPainter p(&pixmap);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(side / 16.0, side / 16.0);
            draw(p);
            return pixmap;
        },
        {16, 20, 24, 32, 40, 48});
}

QIcon Themed(const char* name, const TDraw& draw) {
    return QIcon::fromTheme(QString::fromLatin1(name), Drawn(draw));
}

void Folder(QPainter& p) {
    p.setPen(QPen(QColor(0x8a, 0x5a, 0x10), 0.8));
    p.setBrush(QColor(0xe8, 0xb8, 0x4a));
    QPainterPath back;
    back.moveTo(1.5, 3.5);
    back.lineTo(6, 3.5);
    back.lineTo(7.5, 5);
    back.lineTo(13.5, 5);
    back.lineTo(13.5, 13.5);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(QColor(0xf6, 0xd3, 0x7a));
    QPainterPath front;
    front.moveTo(3, 7.5);
    front.lineTo(15, 7.5);
    front.lineTo(13.5, 13.5);
    front.lineTo(1.5, 13.5);
    front.closeSubpath();
    p.drawPath(front);
}

void Disk(QPainter& p) {
    p.setPen(QPen(QColor(0x1f, 0x35, 0x66), 0.8));
    p.setBrush(QColor(0x3b, 0x6b, 0xc5));
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.2, 1.2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf4, 0xf6, 0xfa));
    p.drawRect(QRectF(4, 2, 8, 5));
    p.setBrush(QColor(0x1f, 0x35, 0x66));
    p.drawRect(QRectF(9.5, 2.8, 1.5, 3.2));
    p.setBrush(QColor(0xd8, 0xdf, 0xec));
    p.drawRect(QRectF(3.5, 9, 9, 5));
}

void Lens(QPainter& p, bool plus) {
    p.setPen(QPen(QColor(0x4a, 0x4a, 0x52), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10.5, 10.5), QPointF(14.3, 14.3));
    p.setPen(QPen(QColor(0x30, 0x30, 0x38), 1.1));
    p.setBrush(QColor(0xdd, 0xee, 0xfb));
    p.drawEllipse(QPointF(6.5, 6.5), 5, 5);
    p.setPen(QPen(QColor(0x1d, 0x5f, 0xb8), 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 6.5), QPointF(9, 6.5));
    if (plus)
        p.drawLine(QPointF(6.5, 4), QPointF(6.5, 9));
}

// A row of the list, with a sign for what happens to it.
void Row(QPainter& p, bool add) {
    p.setPen(QPen(QColor(0x6a, 0x72, 0x80), 0.8));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 4.5, 10, 7));
    p.setPen(QPen(QColor(0x9a, 0xa3, 0xad), 1));
    p.drawLine(QPointF(3, 8), QPointF(10, 8));
    p.setPen(QPen(add ? QColor(0x2e, 0x8b, 0x3a) : QColor(0xc6, 0x28, 0x28), 2.2, Qt::SolidLine,
                  Qt::RoundCap));
    if (add) {
        p.drawLine(QPointF(12.5, 8.5), QPointF(12.5, 14.5));
        p.drawLine(QPointF(9.5, 11.5), QPointF(15.5, 11.5));
    } else {
        p.drawLine(QPointF(10, 9), QPointF(15, 14));
        p.drawLine(QPointF(15, 9), QPointF(10, 14));
    }
}

void Gear(QPainter& p) {
    QPainterPath wheel;
    const QPointF centre(8, 8);
    for (int tooth = 0; tooth < 8; ++tooth) {
        QPainterPath t;
        t.addRoundedRect(QRectF(6.6, 0.8, 2.8, 4), 0.6, 0.6);
        QTransform turn;
        turn.translate(8, 8).rotate(tooth * 45).translate(-8, -8);
        wheel = wheel.united(turn.map(t));
    }
    wheel = wheel.united([&] {
        QPainterPath body;
        body.addEllipse(centre, 5.4, 5.4);
        return body;
    }());
    QPainterPath hole;
    hole.addEllipse(centre, 2.2, 2.2);
    p.setPen(QPen(QColor(0x3a, 0x40, 0x4a), 0.8));
    p.setBrush(QColor(0x9a, 0xa4, 0xb2));
    p.drawPath(wheel.subtracted(hole));
}

// A serif capital A over a small a.
void Letters(QPainter& p) {
    p.setPen(QPen(QColor(0x22, 0x22, 0x2a), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(1.5, 14), QPointF(5.5, 2));
    p.drawLine(QPointF(5.5, 2), QPointF(9.5, 14));
    p.drawLine(QPointF(3.2, 9.5), QPointF(7.8, 9.5));
    p.setPen(QPen(QColor(0x1d, 0x5f, 0xb8), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(12, 11.6), 2.2, 2.2);
    p.drawLine(QPointF(14.2, 8.8), QPointF(14.2, 14));
}

// A question mark in a blue disc.
void Question(QPainter& p) {
    p.setPen(QPen(QColor(0x1a, 0x4a, 0x9a), 0.8));
    p.setBrush(QColor(0x3a, 0x78, 0xd0));
    p.drawEllipse(QPointF(8, 8), 6.8, 6.8);
    QPainterPath mark;
    mark.moveTo(5.6, 6.2);
    mark.cubicTo(5.6, 3.4, 10.4, 3.4, 10.4, 6.2);
    mark.cubicTo(10.4, 8.0, 8.0, 8.0, 8.0, 9.8);
    p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(mark);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 12.3), 1.1, 1.1);
}

} // namespace

QIcon Help() {
    return Themed("help-contents", Question);
}

QIcon Options() {
    return Themed("preferences-system", Gear);
}

QIcon Font() {
    return Themed("preferences-desktop-font", Letters);
}

QIcon Insert() {
    return Themed("list-add", [](QPainter& p) { Row(p, true); });
}

QIcon Delete() {
    return Themed("list-remove", [](QPainter& p) { Row(p, false); });
}

QIcon Open() {
    return Themed("document-open", Folder);
}

QIcon Save() {
    return Themed("document-save", Disk);
}

QIcon ZoomIn() {
    return Themed("zoom-in", [](QPainter& p) { Lens(p, true); });
}

QIcon ZoomOut() {
    return Themed("zoom-out", [](QPainter& p) { Lens(p, false); });
}

} // namespace ToolIcons
