#include "Splash.h"

#include "AppIcons.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <qdrawutil.h>

TfrmSplash::TfrmSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("Quillery"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(368, 211);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TfrmSplash::ShowNow() {
    show();
    raise();
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TfrmSplash::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, 0, height());
    background.setColorAt(0, QColor(0xfb, 0xfc, 0xfe));
    background.setColorAt(1, QColor(0xdd, 0xe6, 0xf3));
    p.fillRect(rect(), background);

    // Raised outer and lowered inner bevel, five pixels in all.
    const QPalette bevel(QColor(0xc9, 0xd3, 0xe0));
    qDrawShadePanel(&p, rect(), bevel, false, 2);
    qDrawShadePanel(&p, rect().adjusted(3, 3, -3, -3), bevel, true, 2);

    // A stack of clips behind the program's picture.
    p.setPen(QPen(QColor(0x9a, 0xab, 0xc4), 1));
    for (int i = 2; i >= 0; --i) {
        p.setBrush(QColor(0xff, 0xff, 0xff, 200 - 40 * i));
        p.drawRoundedRect(QRectF(34 + 9 * i, 40 + 9 * i, 74, 90), 6, 6);
    }
    AppIcons::Normal().paint(&p, QRect(42, 58, 96, 96));

    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(44);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(0x1d, 0x4e, 0xb0));
    p.drawText(QRect(150, 58, 210, 56), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Quillery"));

    QFont subtitle(QStringLiteral("DejaVu Sans"));
    subtitle.setPixelSize(13);
    p.setFont(subtitle);
    p.setPen(QColor(0x3a, 0x46, 0x58));
    p.drawText(QRect(152, 112, 206, 40), Qt::AlignLeft | Qt::TextWordWrap,
               QStringLiteral("Every copy kept,\none keystroke away"));

    p.setPen(QColor(0x9a, 0xab, 0xc4));
    p.drawLine(QPointF(20, 176.5), QPointF(width() - 20, 176.5));
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(10);
    p.setFont(small);
    p.setPen(QColor(0x5a, 0x66, 0x78));
    p.drawText(QRect(20, 180, width() - 40, 22), Qt::AlignCenter,
               QStringLiteral("Version 3.0  \u00b7  Clipboard history for the Linux desktop"));
}
