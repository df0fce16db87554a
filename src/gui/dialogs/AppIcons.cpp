#include "AppIcons.h"

#include "PaintedIcon.h"

#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include <memory>

namespace AppIcons {

QPixmap Picture(const QString& svg, QSize size, qreal scale) {
    QPixmap pixmap(size * scale);
    pixmap.fill(Qt::transparent);
    // Parsed once a picture, not once a size.
    static QHash<QString, std::shared_ptr<QSvgRenderer>> renderers;
    std::shared_ptr<QSvgRenderer>& renderer = renderers[svg];
    if (!renderer)
        renderer = std::make_shared<QSvgRenderer>(svg);
    QPainter p(&pixmap);
    renderer->render(&p);
    p.end();
    pixmap.setDevicePixelRatio(scale);
    return pixmap;
}

static QPixmap Clipboard(int size, bool suspended = false) {
    QPixmap pixmap = Picture(QStringLiteral(":/pictures/quillery.svg"), QSize(size, size));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
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

// One icon for each state, shared by the window, its dialogs and the tray.
static QIcon Drawn(bool suspended) {
    const auto make = [](bool paused) {
        return PaintedIcon::Make([paused](int side) { return Clipboard(side, paused); },
                                 {16, 22, 24, 32, 48, 64, 128});
    };
    static const QIcon icons[2] = {make(false), make(true)};
    return icons[suspended ? 1 : 0];
}

QIcon Normal() {
    return Drawn(false);
}

QIcon Suspended() {
    return Drawn(true);
}

} // namespace AppIcons
