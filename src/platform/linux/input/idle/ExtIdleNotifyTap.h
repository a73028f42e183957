#pragma once

#include "WaylandIdleConnection.h"
#include "platform/InputMonitoring.h"

struct ext_idle_notification_v1;
struct ext_idle_notifier_v1;

// Activity on a Wayland session through the ext-idle-notify-v1 protocol (KDE Plasma 5.27 and
// later, wlroots compositors): an idle notification of 1 s on the compositor's seat.
class ExtIdleNotifyTap final : public InputTap {
public:
    // `displayName` empty means $WAYLAND_DISPLAY. Answers nothing without a compositor that
    // offers a seat and ext_idle_notifier_v1.
    static std::unique_ptr<ExtIdleNotifyTap> create(const QByteArray &displayName, MainLoop &loop,
                                                    std::function<void()> onActivity);
    ~ExtIdleNotifyTap() override;

    bool isIdle() const { return m_connection->reporter().isIdle(); }

private:
    ExtIdleNotifyTap(std::unique_ptr<WaylandIdleConnection> connection, ext_idle_notifier_v1 *notifier);

    std::unique_ptr<WaylandIdleConnection> m_connection;
    ext_idle_notifier_v1 *m_notifier;
    ext_idle_notification_v1 *m_notification;
};
