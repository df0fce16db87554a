// The font dialog: Qt's own, with a colour button and an Apply button added to its buttons.
#include "QtPrompts.h"
#include "config/FontSetting.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QPainter>
#include <QPushButton>

namespace {

QIcon Swatch(const QColor& color) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QColor(0x50, 0x50, 0x50));
    p.setBrush(color);
    p.drawRect(1, 1, 13, 13);
    return QIcon(pixmap);
}

} // namespace

bool TQtPrompts::ChooseFont(TFontChoice& font, const QString& colorCaption,
                            const std::function<void(const TFontChoice&)>& apply) {
    QFontDialog box(font.Font, Parent());
    box.setOption(QFontDialog::DontUseNativeDialog);
    qint32 color = font.Color;
    const QColor text = box.palette().color(QPalette::Text);
    if (auto* buttons = box.findChild<QDialogButtonBox*>()) {
        QPushButton* colorButton = buttons->addButton(colorCaption, QDialogButtonBox::ActionRole);
        colorButton->setIcon(Swatch(FontSetting::ColorOf(color, text)));
        QObject::connect(colorButton, &QPushButton::clicked, &box, [&] {
            const QColor chosen =
                QColorDialog::getColor(FontSetting::ColorOf(color, text), &box, colorCaption);
            if (!chosen.isValid())
                return;
            color = FontSetting::ColorValue(chosen);
            colorButton->setIcon(Swatch(chosen));
        });
        QPushButton* applyButton = buttons->addButton(QDialogButtonBox::Apply);
        QObject::connect(applyButton, &QPushButton::clicked, &box, [&] {
            apply({box.currentFont(), color});
        });
    }
    if (box.exec() != QDialog::Accepted)
        return false;
    font = {box.selectedFont(), color};
    return true;
}
