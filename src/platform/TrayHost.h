#pragma once

#include <QPoint>
#include <QRect>

#include <optional>

// What the tray item needs to know of the desktop's panels, where the desktop tells: where a
// panel lies, where the pointer is, and whether the panels are light or dark.
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
};
