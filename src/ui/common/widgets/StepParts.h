#pragma once

#include "ui/common/style/ColorRole.h"

#include <QColor>
#include <QString>

class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

// The pieces every onboarding step and the about view are built from: a centred column with
// 20 between its elements, the large main button, the plain secondary button and the
// introduction (symbol, name, tagline and feature list) that the welcome step and the about
// view share.
namespace StepParts {

// The column of `widget`; call finish() after its last element.
QVBoxLayout *stackLayout(QWidget *widget);
void finish(QVBoxLayout *layout);

void addSymbol(QVBoxLayout *layout, const QString &symbol, int pixelSize, ColorRole color);
QLabel *addText(QVBoxLayout *layout, const QString &text, int pixelSize, bool bold = false, const QColor &color = {},
                int sideMargin = 0);

void addIntroduction(QVBoxLayout *layout, QWidget *owner);

// A full-width button in the accent colour with a 14-pixel semibold label.
QPushButton *mainButton(const QString &text);
void addMainButton(QVBoxLayout *layout, QPushButton *button);
// A borderless button in the secondary colour.
QPushButton *secondaryButton(const QString &text);

} // namespace StepParts
