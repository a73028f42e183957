#include "WaylandIdleConnection.h"

#include "ext-idle-notify-v1-client-protocol.h"
#include "kde-idle-client-protocol.h"

#include <QSocketNotifier>

#include <wayland-client.h>

#include <algorithm>

namespace {

wl_display *connectTo(const QByteArray &displayName)
{
    return wl_display_connect(displayName.isEmpty() ? nullptr : displayName.constData());
}

} // namespace

// The globals are read once: a seat or notifier that comes later is taken up by the next
// trust check, which makes a new tap anyway.
std::vector<WaylandIdleConnection::Global> WaylandIdleConnection::listGlobals(wl_display *display)
{
    static const wl_registry_listener listener{
        [](void *data, wl_registry *, std::uint32_t name, const char *interface, std::uint32_t) {
            static_cast<std::vector<Global> *>(data)->push_back({name, interface});
        },
        [](void *data, wl_registry *, std::uint32_t name) {
            std::erase_if(*static_cast<std::vector<Global> *>(data),
                          [name](const Global &g) { return g.name == name; });
        }};
    std::vector<Global> globals;
    wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, &globals);
    if (wl_display_roundtrip(display) < 0)
        globals.clear();
    wl_registry_destroy(registry);
    return globals;
}

WaylandIdleConnection::Offers WaylandIdleConnection::probe(const QByteArray &displayName)
{
    Offers offers;
    wl_display *display = connectTo(displayName);
    if (!display)
        return offers;
    for (const Global &global : listGlobals(display)) {
        offers.seat |= global.interface == wl_seat_interface.name;
        offers.extIdleNotifier |= global.interface == ext_idle_notifier_v1_interface.name;
        offers.kdeIdle |= global.interface == org_kde_kwin_idle_interface.name;
    }
    wl_display_disconnect(display);
    return offers;
}

std::unique_ptr<WaylandIdleConnection> WaylandIdleConnection::open(const QByteArray &displayName, MainLoop &loop,
                                                                   std::function<void()> onActivity)
{
    wl_display *display = connectTo(displayName);
    if (!display)
        return nullptr;
    std::unique_ptr<WaylandIdleConnection> connection(new WaylandIdleConnection(display, loop, std::move(onActivity)));
    connection->m_globals = listGlobals(display);
    connection->m_registry = wl_display_get_registry(display);
    // The seat is only named in requests: its events are not listened to.
    connection->m_seat = static_cast<wl_seat *>(connection->bind(wl_seat_interface));
    if (!connection->m_seat)
        return nullptr;
    return connection;
}

WaylandIdleConnection::WaylandIdleConnection(wl_display *display, MainLoop &loop, std::function<void()> onActivity)
    : m_display(display),
      m_reporter(loop, std::move(onActivity))
{}

WaylandIdleConnection::~WaylandIdleConnection()
{
    m_notifier.reset();
    if (m_seat)
        wl_seat_destroy(m_seat);
    if (m_registry)
        wl_registry_destroy(m_registry);
    // Disconnecting makes the compositor drop every object of this client, the taps' among them.
    wl_display_disconnect(m_display);
}

void *WaylandIdleConnection::bind(const wl_interface &interface)
{
    const auto global = std::ranges::find(m_globals, std::string(interface.name), &Global::interface);
    if (global == m_globals.end())
        return nullptr;
    return wl_registry_bind(m_registry, global->name, &interface, 1);
}

void WaylandIdleConnection::watch()
{
    wl_display_flush(m_display);
    m_notifier = std::make_unique<QSocketNotifier>(wl_display_get_fd(m_display), QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(), [this] { dispatch(); });
    // Events read along with the globals wait in the queue, not on the socket.
    wl_display_dispatch_pending(m_display);
}

void WaylandIdleConnection::dispatch()
{
    if (wl_display_dispatch(m_display) >= 0) {
        wl_display_flush(m_display);
        return;
    }
    // The compositor is gone: nothing more will be heard of the user, who so turns away.
    m_notifier->setEnabled(false);
    m_reporter.idled();
}
