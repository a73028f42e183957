#pragma once

#include <QRectF>

class QPainter;
class QWidget;

// The ring around a self-drawn control that has the keyboard focus: drawn once the user moves
// with the keyboard (Tab, arrows), not after a click, as the desktop styles do.
namespace FocusRing {

bool shows(const QWidget &widget);
void paint(QPainter &painter, const QWidget &widget, const QRectF &area, qreal radius);

} // namespace FocusRing
