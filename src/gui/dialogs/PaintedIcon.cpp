#include "PaintedIcon.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

#include <memory>

namespace {

class TPaintedIconEngine : public QIconEngine {
public:
    TPaintedIconEngine(PaintedIcon::TPaint paint, QList<int> sizes)
        : Paint(std::make_shared<PaintedIcon::TPaint>(std::move(paint))), Sizes(std::move(sizes)) {}

    QIconEngine* clone() const override { return new TPaintedIconEngine(*this); }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal scale = painter->device() ? painter->device()->devicePixelRatioF() : 1;
        painter->drawPixmap(rect, scaledPixmap(rect.size(), mode, state, scale));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale) override {
        const int side = qRound(std::min(size.width(), size.height()) * scale);
        if (side <= 0)
            return {};
        const qint64 key = qint64(side) << 8 | int(mode);
        auto found = Cache.constFind(key);
        if (found != Cache.constEnd())
            return *found;
        QPixmap drawn = (*Paint)(side);
        if (mode != QIcon::Normal && mode != QIcon::Active && qApp) {
            QStyleOption option;
            option.palette = QApplication::palette();
            drawn = QApplication::style()->generatedIconPixmap(mode, drawn, &option);
        }
        drawn.setDevicePixelRatio(scale);
        Cache.insert(key, drawn);
        return drawn;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min(size.width(), size.height());
        return {side, side};
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (int side : std::as_const(Sizes))
            sizes.append(QSize(side, side));
        return sizes;
    }

private:
    std::shared_ptr<PaintedIcon::TPaint> Paint;
    QList<int> Sizes;
    QHash<qint64, QPixmap> Cache; // by side and mode
};

} // namespace

namespace PaintedIcon {

QIcon Make(TPaint paint, const QList<int>& sizes) {
    return QIcon(new TPaintedIconEngine(std::move(paint), sizes));
}

} // namespace PaintedIcon
