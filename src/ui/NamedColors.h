#pragma once

#include "ui/ColorRole.h"

#include <QColor>

class QPalette;
class QWidget;

// The one place that knows the program's colours. The named colours have a light and a dark
// variant, picked by the lightness of the palette's window; the foreground levels are the
// palette's window text at decreasing strength, so they follow light and dark themes.
namespace NamedColors {

inline constexpr QRgb kGreenLight = 0x34c759, kGreenDark = 0x30d158;
inline constexpr QRgb kOrangeLight = 0xff9500, kOrangeDark = 0xff9f0a;
inline constexpr QRgb kRedLight = 0xff3b30, kRedDark = 0xff453a;
inline constexpr QRgb kPurpleLight = 0xaf52de, kPurpleDark = 0xbf5af2;
inline constexpr QRgb kBlueLight = 0x007aff, kBlueDark = 0x0a84ff;
inline constexpr QRgb kGrayLight = 0x8e8e93, kGrayDark = 0x98989d;

inline constexpr double kSecondaryAlpha = 0.55;
inline constexpr double kTertiaryAlpha = 0.3;

bool isDark(const QPalette &palette);

// The colour of a role under the given palette (the application's when none is given).
QColor resolve(ColorRole role, const QPalette &palette);
QColor resolve(ColorRole role);

// `color` with its alpha multiplied by `opacity`.
QColor withOpacity(QColor color, double opacity);

// Sets the widget's text colour to `role` (resolved against the application's palette, so
// levels do not compound), only when it differs from the current one.
void setForeground(QWidget *widget, ColorRole role, double opacity = 1.0);

// "#rrggbb" or "rgba(r,g,b,a)" for style sheets.
QString cssColor(const QColor &color);

} // namespace NamedColors
