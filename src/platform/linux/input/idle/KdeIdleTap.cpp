#include "KdeIdleTap.h"

#include "kde-idle-client-protocol.h"

namespace {

const org_kde_kwin_idle_timeout_listener kListener{
    [](void *reporter, org_kde_kwin_idle_timeout *) { static_cast<IdleActivityReporter *>(reporter)->idled(); },
    [](void *reporter, org_kde_kwin_idle_timeout *) { static_cast<IdleActivityReporter *>(reporter)->resumed(); },
};

} // namespace

std::unique_ptr<KdeIdleTap> KdeIdleTap::create(const QByteArray &displayName, MainLoop &loop,
                                               std::function<void()> onActivity)
{
    auto connection = WaylandIdleConnection::open(displayName, loop, std::move(onActivity));
    if (!connection)
        return nullptr;
    auto *idle = static_cast<org_kde_kwin_idle *>(connection->bind(org_kde_kwin_idle_interface));
    if (!idle)
        return nullptr;
    return std::unique_ptr<KdeIdleTap>(new KdeIdleTap(std::move(connection), idle));
}

KdeIdleTap::KdeIdleTap(std::unique_ptr<WaylandIdleConnection> connection, org_kde_kwin_idle *idle)
    : m_connection(std::move(connection)),
      m_idle(idle),
      m_timeout(org_kde_kwin_idle_get_idle_timeout(idle, m_connection->seat(), IdleActivityReporter::kIdleTimeoutMs))
{
    org_kde_kwin_idle_timeout_add_listener(m_timeout, &kListener, &m_connection->reporter());
    m_connection->watch();
}

KdeIdleTap::~KdeIdleTap()
{
    org_kde_kwin_idle_timeout_release(m_timeout);
    org_kde_kwin_idle_destroy(m_idle);
}
