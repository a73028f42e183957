#pragma once

#include "ui/ColorRole.h"

#include <QColor>
#include <QFont>

class QLabel;
class QPalette;
class QWidget;

// The colours and fonts the settings, statistics, onboarding and about screens share.
// Sizes are logical pixels (the design's points); colours follow the desktop palette,
// light or dark, except the named accent colours.
namespace ScreenStyle {

QColor blue();
QColor green();
QColor orange();
QColor red();
QColor gray();

QColor color(ColorRole role, const QPalette &palette);

QColor primaryText(const QPalette &palette);
QColor secondaryText(const QPalette &palette);
QColor tertiaryText(const QPalette &palette);
QColor accent(const QPalette &palette);
// A translucent fill that reads as a raised card on the window background.
QColor cardFill(const QPalette &palette);

QFont font(int pixelSize, QFont::Weight weight = QFont::Normal);
QFont monospacedFont(int pixelSize);

// A label in the given font and colour; a null colour keeps the palette's text colour.
QLabel *label(const QString &text, const QFont &font, const QColor &color = {}, QWidget *parent = nullptr);
void setTextColor(QWidget *widget, const QColor &color);

// A label that draws the system symbol `symbol` at `pixelSize` in `color`; the name stays
// readable as the label's "symbol" property.
QLabel *symbolLabel(const QString &symbol, int pixelSize, const QColor &color, QWidget *parent = nullptr);
void setSymbol(QLabel *label, const QString &symbol, int pixelSize, const QColor &color);

} // namespace ScreenStyle
