#pragma once

#include "IdleActivityReporter.h"

#include <QByteArray>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QSocketNotifier;
struct wl_display;
struct wl_interface;
struct wl_registry;
struct wl_seat;

// What the Wayland idle taps share: a connection to the compositor of their own (not Qt's,
// which may not even be a Wayland one), the globals it offers, a seat, the Qt event loop
// watching the socket, and the reporter that turns idle and resumed events into activity.
class WaylandIdleConnection {
public:
    // The globals that matter for observing the user, as a connection found them.
    struct Offers {
        bool seat = false;
        bool extIdleNotifier = false;
        bool kdeIdle = false;
    };

    // `displayName` empty means $WAYLAND_DISPLAY. Answers nothing when there is no compositor
    // or it offers no seat.
    static std::unique_ptr<WaylandIdleConnection> open(const QByteArray &displayName, MainLoop &loop,
                                                       std::function<void()> onActivity);
    // Connects, lists the globals and disconnects; all false when no compositor answers.
    static Offers probe(const QByteArray &displayName);
    ~WaylandIdleConnection();

    WaylandIdleConnection(const WaylandIdleConnection &) = delete;
    WaylandIdleConnection &operator=(const WaylandIdleConnection &) = delete;

    // Binds the global of `interface` at version 1; nullptr when the compositor lacks it.
    void *bind(const wl_interface &interface);
    wl_seat *seat() const { return m_seat; }
    IdleActivityReporter &reporter() { return m_reporter; }

    // Sends what was asked and starts dispatching events as they arrive.
    void watch();

private:
    struct Global {
        std::uint32_t name;
        std::string interface;
    };

    WaylandIdleConnection(wl_display *display, MainLoop &loop, std::function<void()> onActivity);
    void dispatch();
    static std::vector<Global> listGlobals(wl_display *display);

    wl_display *m_display;
    wl_registry *m_registry = nullptr;
    std::vector<Global> m_globals;
    wl_seat *m_seat = nullptr;
    IdleActivityReporter m_reporter;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
