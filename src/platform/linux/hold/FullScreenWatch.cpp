#include "FullScreenWatch.h"

#include <QSocketNotifier>
#include <QtGlobal>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace {

struct FreeDeleter {
    void operator()(void *pointer) const { std::free(pointer); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

// The atoms a window property of type ATOM or WINDOW holds.
QList<std::uint32_t> propertyValues(xcb_connection_t *connection, std::uint32_t window, std::uint32_t property,
                                    std::uint32_t type)
{
    const Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection, xcb_get_property(connection, 0, window, property, type, 0, 1024), nullptr));
    if (!reply || reply->format != 32)
        return {};
    const auto *values = static_cast<const std::uint32_t *>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    return QList<std::uint32_t>(values, values + count);
}

} // namespace

FullScreenWatch::FullScreenWatch(std::function<void(HoldSources::Reading)> report, QObject *parent)
    : QObject(parent),
      m_report(std::move(report))
{
    // Under Wayland the X server sees only the X programs: it cannot say what has the focus.
    if (qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return;
    int screenNumber = 0;
    m_connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(m_connection)) {
        xcb_disconnect(std::exchange(m_connection, nullptr));
        return;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    m_root = screens.data->root;
    m_netActiveWindow = atom("_NET_ACTIVE_WINDOW");
    m_netWmState = atom("_NET_WM_STATE");
    m_netWmStateFullScreen = atom("_NET_WM_STATE_FULLSCREEN");
    m_netSupported = atom("_NET_SUPPORTED");
    const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(m_connection);
    m_notifier = new QSocketNotifier(xcb_get_file_descriptor(m_connection), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &FullScreenWatch::readEvents);
    followActiveWindow();
}

FullScreenWatch::~FullScreenWatch()
{
    delete m_notifier;
    if (m_connection)
        xcb_disconnect(m_connection);
}

std::uint32_t FullScreenWatch::atom(const char *name) const
{
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, 0, static_cast<std::uint16_t>(qstrlen(name)), name), nullptr));
    return reply ? reply->atom : std::uint32_t{XCB_ATOM_NONE};
}

void FullScreenWatch::readEvents()
{
    bool activeChanged = false;
    bool stateChanged = false;
    while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
        const Reply<xcb_generic_event_t> owned(event);
        if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
            continue;
        const auto *notify = reinterpret_cast<const xcb_property_notify_event_t *>(event);
        if (notify->window == m_root)
            activeChanged |= notify->atom == m_netActiveWindow || notify->atom == m_netSupported;
        else if (notify->window == m_activeWindow)
            stateChanged |= notify->atom == m_netWmState;
    }
    if (xcb_connection_has_error(m_connection)) {
        // Called from the notifier's own signal: it goes once that is over.
        m_notifier->setEnabled(false);
        std::exchange(m_notifier, nullptr)->deleteLater();
        m_report(m_last = HoldSources::Reading::unknown);
        return;
    }
    if (activeChanged)
        followActiveWindow();
    else if (stateChanged && activeWindowReading() != m_last)
        m_report(m_last = activeWindowReading());
}

void FullScreenWatch::followActiveWindow()
{
    const QList<std::uint32_t> active = propertyValues(m_connection, m_root, m_netActiveWindow, XCB_ATOM_WINDOW);
    const std::uint32_t window = active.isEmpty() ? 0 : active.front();
    if (window != m_activeWindow) {
        const std::uint32_t none = 0;
        const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        if (m_activeWindow)
            xcb_change_window_attributes(m_connection, m_activeWindow, XCB_CW_EVENT_MASK, &none);
        if (window)
            xcb_change_window_attributes(m_connection, window, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_connection);
        m_activeWindow = window;
    }
    const HoldSources::Reading reading = activeWindowReading();
    if (reading != m_last)
        m_report(m_last = reading);
}

HoldSources::Reading FullScreenWatch::activeWindowReading() const
{
    const bool managerNamesActiveWindow =
        propertyValues(m_connection, m_root, m_netSupported, XCB_ATOM_ATOM).contains(m_netActiveWindow);
    if (!managerNamesActiveWindow)
        return HoldSources::Reading::unknown;
    if (!m_activeWindow)
        return HoldSources::Reading::clear;
    const bool fullScreen =
        propertyValues(m_connection, m_activeWindow, m_netWmState, XCB_ATOM_ATOM).contains(m_netWmStateFullScreen);
    return fullScreen ? HoldSources::Reading::inUse : HoldSources::Reading::clear;
}
