// The font dialog: Qt's own, with a colour button and an Apply button added to its buttons.
#include "QtPrompts.h"
#include "gui/config/FontSetting.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QPainter>
#include <QPushButton>

#include <climits>
#include <cstdlib>

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

// Qt's dialog picks the style by its name, and a font without one (as the settings give it)
// can land on "Oblique" where the family calls its regular style "Book": name the style whose
// slant matches and whose weight and width are nearest.
QFont WithStyleName(QFont font) {
    if (!font.styleName().isEmpty())
        return font;
    const auto width = [](const QFont& f) { return f.stretch() > 0 ? f.stretch() : 100; };
    QString best;
    int distance = INT_MAX;
    for (const QString& style : QFontDatabase::styles(font.family())) {
        const QFont candidate = QFontDatabase::font(font.family(), style, font.pointSize());
        if (candidate.italic() != font.italic())
            continue;
        const int d = 10 * std::abs(candidate.weight() - font.weight()) +
                      std::abs(width(candidate) - width(font));
        if (d < distance) {
            distance = d;
            best = style;
        }
    }
    if (!best.isEmpty())
        font.setStyleName(best);
    return font;
}

} // namespace

bool TQtPrompts::ChooseFont(TFontChoice& font, const QString& colorCaption,
                            const std::function<void(const TFontChoice&)>& apply) {
    if (Withdrawn)
        return false;
    QFontDialog box(WithStyleName(font.Font), Parent());
    box.setOption(QFontDialog::DontUseNativeDialog);
    qint32 color = font.Color;
    const QColor text = box.palette().color(QPalette::Text);
    if (auto* buttons = box.findChild<QDialogButtonBox*>()) {
        QPushButton* colorButton = buttons->addButton(colorCaption, QDialogButtonBox::ActionRole);
        colorButton->setIcon(Swatch(FontSetting::ColorOf(color, text)));
        QObject::connect(colorButton, &QPushButton::clicked, &box, [&] {
            // The button's caption without its accelerator mark and its dots, as a title.
            QString title = QString(colorCaption).remove(QLatin1Char('&')).trimmed();
            while (title.endsWith(QLatin1Char('.')) || title.endsWith(QChar(0x2026)))
                title.chop(1);
            const QColor chosen =
                QColorDialog::getColor(FontSetting::ColorOf(color, text), &box, title);
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
    if (box.exec() != QDialog::Accepted || Withdrawn)
        return false;
    QFont chosen = box.selectedFont();
    chosen.setStyleName({}); // kept as bold and italic, as the settings hold it
    font = {chosen, color};
    return true;
}
