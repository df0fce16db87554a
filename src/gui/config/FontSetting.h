#pragma once

#include "platform/Prompts.h"

#include <QColor>

class QPalette;

// The clip list font as the settings hold it (Font, FontStyle, FontSize, FontColor).
namespace FontSetting {

TFontChoice FromSettings();
void ToSettings(const TFontChoice& choice); // the style's low four bits, a size in points

// 0x00BBGGRR; a value with a high byte names a system colour, shown as fallback.
QColor ColorOf(qint32 color, const QColor& fallback);
qint32 ColorValue(const QColor& color);

} // namespace FontSetting
