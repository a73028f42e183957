#pragma once

#include "platform/tray/TrayHost.h"

#include <QByteArray>
#include <QDBusConnection>

#include <optional>

struct xcb_connection_t;

// The desktop's panels as the tray item sees them. On X11 the panels are dock windows: their
// place and their colour are read from the server (on the program's own connection). Elsewhere
// the desktop is judged by name: Plasma's panels follow the palette its theme gives the
// program; other Wayland bars (GNOME Shell's, Sway's, waybar's) are dark by default. Its
// status items are StatusNotifierItems on `bus` (the session bus when none is given).
class DesktopTrayHost final : public TrayHost {
public:
    explicit DesktopTrayHost(std::optional<QDBusConnection> bus = std::nullopt);

    std::optional<QRect> panelAt(const QPoint &point) const override;
    std::optional<QPoint> pointer() const override;
    Look panelLook() const override;
    std::unique_ptr<StatusItem> createStatusItem(QMenu &menu) const override;

    // The look a desktop's panels have by default, where it cannot be read; none when the
    // palette is the better guess. `currentDesktop` is XDG_CURRENT_DESKTOP.
    static std::optional<Look> defaultLookOf(const QByteArray &currentDesktop, bool wayland);

private:
    xcb_connection_t *m_x11 = nullptr;
    std::optional<QDBusConnection> m_bus;
};
