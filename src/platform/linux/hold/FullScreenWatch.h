#pragma once

#include "platform/HoldSources.h"

#include <QObject>

#include <functional>

class QSocketNotifier;
struct xcb_connection_t;

// Whether the window with the focus is full screen (a presentation, a video), as an X11
// window manager says through _NET_ACTIVE_WINDOW and _NET_WM_STATE. It follows PropertyNotify
// on the root window and on the active window, never polls. Under Wayland, or with a window
// manager that does not name the active window, the reading is unknown.
class FullScreenWatch : public QObject {
    Q_OBJECT

public:
    explicit FullScreenWatch(std::function<void(HoldSources::Reading)> report, QObject *parent = nullptr);
    ~FullScreenWatch() override;

private:
    void readEvents();
    void followActiveWindow();
    HoldSources::Reading activeWindowReading() const;
    std::uint32_t atom(const char *name) const;

    std::function<void(HoldSources::Reading)> m_report;
    xcb_connection_t *m_connection = nullptr;
    QSocketNotifier *m_notifier = nullptr;
    std::uint32_t m_root = 0;
    std::uint32_t m_activeWindow = 0;
    std::uint32_t m_netActiveWindow = 0;
    std::uint32_t m_netWmState = 0;
    std::uint32_t m_netWmStateFullScreen = 0;
    std::uint32_t m_netSupported = 0;
    HoldSources::Reading m_last = HoldSources::Reading::unknown;
};
