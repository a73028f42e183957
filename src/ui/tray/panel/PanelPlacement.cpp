#include "PanelPlacement.h"

#include <QtGlobal>

namespace {

// The strip of the screen that the bar around `item` covers, when the desktop does not say:
// the part a panel reserves there, judged from the area the window manager leaves free, or
// else a strip along the nearest screen edge with the item in its middle.
QRect guessedBar(const QRect &item, const QRect &screen, const QRect &available)
{
    const QPoint at = item.center();
    if (at.y() < available.top())
        return QRect(screen.left(), screen.top(), screen.width(), available.top() - screen.top());
    if (at.y() > available.bottom())
        return QRect(screen.left(), available.bottom() + 1, screen.width(), screen.bottom() - available.bottom());
    if (at.x() < available.left())
        return QRect(screen.left(), screen.top(), available.left() - screen.left(), screen.height());
    if (at.x() > available.right())
        return QRect(available.right() + 1, screen.top(), screen.right() - available.right(), screen.height());
    const int toTop = at.y() - screen.top(), toBottom = screen.bottom() - at.y();
    const int toLeft = at.x() - screen.left(), toRight = screen.right() - at.x();
    const int nearest = qMin(qMin(toTop, toBottom), qMin(toLeft, toRight));
    if (nearest == toTop)
        return QRect(screen.left(), screen.top(), screen.width(),
                     qMax(item.bottom() - screen.top() + 1, 2 * toTop + 1));
    if (nearest == toBottom) {
        const int height = qMax(screen.bottom() - item.top() + 1, 2 * toBottom + 1);
        return QRect(screen.left(), screen.bottom() - height + 1, screen.width(), height);
    }
    if (nearest == toLeft)
        return QRect(screen.left(), screen.top(), qMax(item.right() - screen.left() + 1, 2 * toLeft + 1),
                     screen.height());
    const int width = qMax(screen.right() - item.left() + 1, 2 * toRight + 1);
    return QRect(screen.right() - width + 1, screen.top(), width, screen.height());
}

} // namespace

PanelPlacement PanelPlacement::place(QSize panel, const QRect &item, const std::optional<QRect> &bar,
                                     const QRect &screen, const QRect &available)
{
    const QRect along = bar && bar->isValid() ? *bar : guessedBar(item, screen, available);
    const bool horizontal = along.width() >= along.height();
    const QPoint centre = item.center();
    PanelPlacement placement;
    QPoint &position = placement.position;
    if (horizontal) {
        position.setX(centre.x() - panel.width() / 2);
        if (along.center().y() <= screen.center().y()) {
            position.setY(along.bottom() + 1);
        } else {
            position.setY(along.top() - panel.height());
            placement.keepsBottomEdge = true;
        }
    } else {
        position.setY(centre.y() - panel.height() / 2);
        position.setX(along.center().x() <= screen.center().x() ? along.right() + 1 : along.left() - panel.width());
    }
    position.setX(qBound(screen.left(), position.x(), qMax(screen.left(), screen.right() - panel.width() + 1)));
    position.setY(qBound(screen.top(), position.y(), qMax(screen.top(), screen.bottom() - panel.height() + 1)));
    return placement;
}
