#pragma once

#include "WaylandIdleConnection.h"
#include "platform/InputMonitoring.h"

struct org_kde_kwin_idle;
struct org_kde_kwin_idle_timeout;

// Activity on older KWin and wlroots compositors through org_kde_kwin_idle, the forerunner of
// ext-idle-notify-v1: an idle timeout of 1 s on the compositor's seat.
class KdeIdleTap final : public InputTap {
public:
    // `displayName` empty means $WAYLAND_DISPLAY. Answers nothing without a compositor that
    // offers a seat and org_kde_kwin_idle.
    static std::unique_ptr<KdeIdleTap> create(const QByteArray &displayName, MainLoop &loop,
                                              std::function<void()> onActivity);
    ~KdeIdleTap() override;

    bool isIdle() const { return m_connection->reporter().isIdle(); }

private:
    KdeIdleTap(std::unique_ptr<WaylandIdleConnection> connection, org_kde_kwin_idle *idle);

    std::unique_ptr<WaylandIdleConnection> m_connection;
    org_kde_kwin_idle *m_idle;
    org_kde_kwin_idle_timeout *m_timeout;
};
