#include "FocusRing.h"

#include <QPainter>
#include <QPalette>
#include <QWidget>

namespace FocusRing {

bool shows(const QWidget &widget)
{
    return widget.hasFocus() && widget.window()->testAttribute(Qt::WA_KeyboardFocusChange);
}

void paint(QPainter &painter, const QWidget &widget, const QRectF &area, qreal radius)
{
    if (!shows(widget))
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(widget.palette().color(QPalette::Highlight), 2));
    painter.drawRoundedRect(area.adjusted(1, 1, -1, -1), radius, radius);
    painter.restore();
}

} // namespace FocusRing
