// Applying the settings to the main window.
#include "config/Config.h"
#include "grid/KXStringGrid.h"
#include "grid/ZoomView.h"
#include "main/fMain.h"

#include <QAction>
#include <QFontMetrics>
#include <QSystemTrayIcon>

namespace {

QFont SettingsFont() {
    QFont font(Config->Font);
    font.setPointSize(Config->FontSize > 0 ? Config->FontSize : 9);
    font.setBold(Config->FontStyle & 1);
    font.setItalic(Config->FontStyle & 2);
    font.setUnderline(Config->FontStyle & 4);
    font.setStrikeOut(Config->FontStyle & 8);
    return font;
}

// 0x00BBGGRR; a value with a high byte names a system colour: the theme's text colour.
QColor SettingsColor(const QPalette& palette) {
    const auto c = static_cast<quint32>(Config->FontColor);
    if (c >> 24)
        return palette.color(QPalette::Text);
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

} // namespace

void TQuilleryMainForm::RefreshOptions() {
    StayOnTop1->setChecked(Config->OnTop);
    SetTopmost(Config->OnTop);
    TrayIcon1->setVisible(Config->Tray);

    TGridOptions options = StringGrid1->Options() & ~(goEditing | goRowSelect);
    options |= Config->GridEdit ? goEditing : goRowSelect;
    StringGrid1->SetOptions(options);

    const QFont font = SettingsFont();
    StringGrid1->setFont(font);
    QPalette palette = StringGrid1->palette();
    palette.setColor(QPalette::Text, SettingsColor(palette));
    StringGrid1->setPalette(palette);
    Memo1->setFont(font);
    Memo1->setPalette(palette);
    // Rows stay 17 pixels high unless the font needs more.
    StringGrid1->SetDefaultRowHeight(std::max(17, QFontMetrics(font).height() + 4));
}
