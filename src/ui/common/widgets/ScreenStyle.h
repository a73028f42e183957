#pragma once

#include "ui/common/style/ColorRole.h"

#include <QColor>
#include <QFont>

class QLabel;
class QPalette;
class QVBoxLayout;
class QWidget;
class SymbolLabel;

// What the settings, statistics, onboarding and about screens share on top of the program's
// colours, fonts and symbols: sizes are logical pixels (the design's points), colours follow
// the desktop palette, light or dark.
namespace ScreenStyle {

QColor color(ColorRole role, const QPalette &palette);
QColor color(ColorRole role);
QColor secondaryText(const QPalette &palette);
QColor tertiaryText(const QPalette &palette);
// The desktop's accent (selection) colour.
QColor accent(const QPalette &palette);
// A translucent fill that reads as a raised card on the window background.
QColor cardFill(const QPalette &palette);

QFont font(int pixelSize, QFont::Weight weight = QFont::Normal);
QFont monospacedFont(int pixelSize);

// A label in the given font and colour; a null colour keeps the palette's text colour.
QLabel *label(const QString &text, const QFont &font, const QColor &color = {}, QWidget *parent = nullptr);
void setTextColor(QWidget *widget, const QColor &color);

SymbolLabel *symbolLabel(const QString &symbol, int pixelSize, ColorRole color, QWidget *parent = nullptr);

// Fills `owner` with a frameless scroll area holding a column headed by `title` in the
// screens' heading font; answers the column's layout for the rest of the page.
QVBoxLayout *scrollingPage(QWidget *owner, const QString &title, int margin, int spacing);

} // namespace ScreenStyle
