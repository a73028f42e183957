#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

// Where the tray's panel opens: beside the bar that holds the item (below a top bar, above a
// bottom one, right of a left one, left of a right one), centred on the item, inside the
// screen. Where the bar is not known, the item's side of the screen stands for it.
struct PanelPlacement {
    QPoint position;
    // Which edge stays put when the panel changes height: its bottom above a bottom bar.
    bool keepsBottomEdge = false;

    // `item`: the item's rectangle, or a 1×1 one at the point the host gave. `bar`: the panel
    // window around it, where known. `available`: the screen without its panels' struts.
    static PanelPlacement place(QSize panel, const QRect &item, const std::optional<QRect> &bar, const QRect &screen,
                                const QRect &available);
};
