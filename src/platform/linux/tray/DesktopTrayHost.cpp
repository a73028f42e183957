#include "DesktopTrayHost.h"

#include "StatusNotifierItem.h"

#include <QColor>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> ReplyPtr<Reply> own(Reply *reply) { return ReplyPtr<Reply>(reply, &std::free); }

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    const auto reply = own(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

struct PanelWindow {
    xcb_window_t window;
    QRect geometry; // device pixels, on the root window
};

// The mapped dock windows (panels), topmost first.
std::vector<PanelWindow> panelWindows(xcb_connection_t *connection)
{
    std::vector<PanelWindow> panels;
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen)
        return panels;
    const xcb_atom_t type = atom(connection, "_NET_WM_WINDOW_TYPE");
    const xcb_atom_t dock = atom(connection, "_NET_WM_WINDOW_TYPE_DOCK");
    const auto tree = own(xcb_query_tree_reply(connection, xcb_query_tree(connection, screen->root), nullptr));
    if (!tree || type == XCB_ATOM_NONE)
        return panels;
    const xcb_window_t *children = xcb_query_tree_children(tree.get());
    for (int i = xcb_query_tree_children_length(tree.get()) - 1; i >= 0; --i) {
        const xcb_window_t window = children[i];
        const auto attributes =
            own(xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window), nullptr));
        if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE)
            continue;
        const auto types = own(xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, window, type, XCB_ATOM_ATOM, 0, 16), nullptr));
        if (!types || types->format != 32)
            continue;
        const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(types.get()));
        const int count = xcb_get_property_value_length(types.get()) / 4;
        if (std::find(atoms, atoms + count, dock) == atoms + count)
            continue;
        const auto geometry = own(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
        const auto onRoot = own(xcb_translate_coordinates_reply(
            connection, xcb_translate_coordinates(connection, window, screen->root, 0, 0), nullptr));
        if (geometry && onRoot)
            panels.push_back({window, QRect(onRoot->dst_x, onRoot->dst_y, geometry->width, geometry->height)});
    }
    return panels;
}

qreal devicePixelRatio()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->devicePixelRatio() : 1.0;
}

// The median lightness of a panel's pixels: its background, whatever sits on it.
std::optional<int> medianLightness(xcb_connection_t *connection, const PanelWindow &panel)
{
    // A strip through the middle is enough, and keeps the image small.
    const int height = std::min(panel.geometry.height(), 8);
    const auto image = own(xcb_get_image_reply(
        connection,
        xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, panel.window, 0,
                      static_cast<int16_t>((panel.geometry.height() - height) / 2),
                      static_cast<uint16_t>(panel.geometry.width()), static_cast<uint16_t>(height), ~0u),
        nullptr));
    if (!image || image->depth < 24)
        return std::nullopt;
    const auto *pixels = reinterpret_cast<const uint32_t *>(xcb_get_image_data(image.get()));
    const int count = xcb_get_image_data_length(image.get()) / 4;
    if (count == 0)
        return std::nullopt;
    std::vector<int> lightness;
    lightness.reserve(count);
    for (int i = 0; i < count; ++i)
        lightness.push_back(QColor::fromRgb(pixels[i] & 0xffffff).lightness());
    std::nth_element(lightness.begin(), lightness.begin() + count / 2, lightness.end());
    return lightness[count / 2];
}

} // namespace

DesktopTrayHost::DesktopTrayHost(std::optional<QDBusConnection> bus) : m_bus(std::move(bus))
{
    if (auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr)
        m_x11 = x11->connection();
}

std::unique_ptr<StatusItem> DesktopTrayHost::createStatusItem(QMenu &menu) const
{
    return std::make_unique<StatusNotifierItem>(m_bus.value_or(QDBusConnection::sessionBus()), menu);
}

std::optional<QRect> DesktopTrayHost::panelAt(const QPoint &point) const
{
    if (!m_x11)
        return std::nullopt;
    const qreal ratio = devicePixelRatio();
    const QPoint devicePoint = point * ratio;
    for (const PanelWindow &panel : panelWindows(m_x11)) {
        if (panel.geometry.contains(devicePoint))
            return QRect(panel.geometry.topLeft() / ratio, panel.geometry.size() / ratio);
    }
    return std::nullopt;
}

std::optional<QPoint> DesktopTrayHost::pointer() const
{
    if (!m_x11)
        return std::nullopt;
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(m_x11)).data;
    const auto reply = own(xcb_query_pointer_reply(m_x11, xcb_query_pointer(m_x11, screen->root), nullptr));
    if (!reply)
        return std::nullopt;
    return QPoint(reply->root_x, reply->root_y) / devicePixelRatio();
}

std::optional<TrayHost::Look> DesktopTrayHost::defaultLookOf(const QByteArray &currentDesktop, bool wayland)
{
    const QList<QByteArray> names = currentDesktop.toLower().split(':');
    if (names.contains("kde") || names.contains("lxqt"))
        return std::nullopt;
    for (const QByteArray &name : names) {
        if (name == "gnome" || name == "sway" || name == "ubuntu" || name == "unity" || name == "hyprland")
            return Look::dark;
    }
    return wayland ? std::optional(Look::dark) : std::nullopt;
}

TrayHost::Look DesktopTrayHost::panelLook() const
{
    if (m_x11) {
        for (const PanelWindow &panel : panelWindows(m_x11)) {
            if (const auto lightness = medianLightness(m_x11, panel))
                return *lightness >= 128 ? Look::light : Look::dark;
        }
    }
    if (const auto look =
            defaultLookOf(qgetenv("XDG_CURRENT_DESKTOP"), !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")))
        return *look;
    return QGuiApplication::palette().color(QPalette::Window).lightness() >= 128 ? Look::light : Look::dark;
}
