#include "FontSetting.h"

#include "core/config/Config.h"

#include <cmath>

namespace FontSetting {

TFontChoice FromSettings() {
    QFont font(Config->Font);
    font.setPointSize(Config->FontSize > 0 ? Config->FontSize : 9);
    font.setBold(Config->FontStyle & 1);
    font.setItalic(Config->FontStyle & 2);
    font.setUnderline(Config->FontStyle & 4);
    font.setStrikeOut(Config->FontStyle & 8);
    return {font, Config->FontColor};
}

void ToSettings(const TFontChoice& choice) {
    const QFont& font = choice.Font;
    Config->Font = font.family();
    Config->FontStyle = (font.bold() ? 1 : 0) | (font.italic() ? 2 : 0) |
                        (font.underline() ? 4 : 0) | (font.strikeOut() ? 8 : 0);
    // A font sized in pixels has no point size; the old size stays then.
    if (font.pointSizeF() > 0)
        Config->FontSize = std::max(1, static_cast<int>(std::lround(font.pointSizeF())));
    Config->FontColor = choice.Color;
}

QColor ColorOf(qint32 color, const QColor& fallback) {
    const auto c = static_cast<quint32>(color);
    if (c >> 24)
        return fallback;
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

qint32 ColorValue(const QColor& color) {
    return static_cast<qint32>(color.red() | (color.green() << 8) | (color.blue() << 16));
}

} // namespace FontSetting
