#pragma once

#include "ColorRole.h"

#include <QColor>

class QPalette;
class QWidget;

// The one place that knows the program's colours. The named colours have a light and a dark
// variant, picked by the lightness of the palette's window; the foreground levels are the
// palette's window text at decreasing strength, so they follow light and dark themes.
namespace NamedColors {

// Deep enough in light palettes, and bright enough in dark ones, that text in them reaches 4.5:1
// against the cards and rows it sits on.
inline constexpr QRgb kGreenLight = 0x1f7635, kGreenDark = 0x30d158;
inline constexpr QRgb kOrangeLight = 0xb04600, kOrangeDark = 0xff9f0a;
inline constexpr QRgb kRedLight = 0xce0b00, kRedDark = 0xff8881;
inline constexpr QRgb kPurpleLight = 0x9c29d6, kPurpleDark = 0xd490f6;
inline constexpr QRgb kBlueLight = 0x0064d1, kBlueDark = 0x61b0ff;
inline constexpr QRgb kGrayLight = 0x67676b, kGrayDark = 0xaaaaae;

inline constexpr double kSecondaryAlpha = 0.65;
inline constexpr double kTertiaryAlpha = 0.3;

bool isDark(const QPalette &palette);

// The colour of a role under the given palette (the application's when none is given).
QColor resolve(ColorRole role, const QPalette &palette);
QColor resolve(ColorRole role);

// The contrast ratio of two opaque colours, as WCAG 2.1 defines it (1 to 21).
double contrast(const QColor &a, const QColor &b);

// The fill for a control whose text is `text`: `fill`, darkened (or lightened under light
// text) until the text on it reaches 4.5:1.
QColor readableFill(QColor fill, const QColor &text);

// `color` painted over `background`, as one opaque colour.
QColor opaque(const QColor &color, const QColor &background);

// `color` with its alpha multiplied by `opacity`.
QColor withOpacity(QColor color, double opacity);

// Sets the widget's text colour to `role` (resolved against the application's palette, so
// levels do not compound), only when it differs from the current one.
void setForeground(QWidget *widget, ColorRole role, double opacity = 1.0);

// "#rrggbb" or "rgba(r,g,b,a)" for style sheets.
QString cssColor(const QColor &color);

} // namespace NamedColors
