#pragma once

#include <QPoint>
#include <QRect>

#include <memory>
#include <optional>

class QMenu;
class StatusItem;

// What the tray item needs of the desktop's panels: where a panel lies, where the pointer
// is and whether the panels are light or dark, where the desktop tells; and an item of the
// program's own in the panels that show such items.
class TrayHost {
public:
    enum class Look { light, dark };

    virtual ~TrayHost() = default;

    // The panel (bar, dock) that covers `point`, in the program's screen coordinates.
    virtual std::optional<QRect> panelAt(const QPoint &point) const = 0;
    // The pointer's position now.
    virtual std::optional<QPoint> pointer() const = 0;
    // The look of the panels the tray item sits in.
    virtual Look panelLook() const = 0;
    // An item showing `menu` as its menu, not yet in any panel.
    virtual std::unique_ptr<StatusItem> createStatusItem(QMenu &menu) const = 0;
};
