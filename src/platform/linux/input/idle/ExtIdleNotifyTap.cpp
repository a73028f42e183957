#include "ExtIdleNotifyTap.h"

#include "ext-idle-notify-v1-client-protocol.h"

namespace {

const ext_idle_notification_v1_listener kListener{
    [](void *reporter, ext_idle_notification_v1 *) { static_cast<IdleActivityReporter *>(reporter)->idled(); },
    [](void *reporter, ext_idle_notification_v1 *) { static_cast<IdleActivityReporter *>(reporter)->resumed(); },
};

} // namespace

std::unique_ptr<ExtIdleNotifyTap> ExtIdleNotifyTap::create(const QByteArray &displayName, MainLoop &loop,
                                                           std::function<void()> onActivity)
{
    auto connection = WaylandIdleConnection::open(displayName, loop, std::move(onActivity));
    if (!connection)
        return nullptr;
    auto *notifier = static_cast<ext_idle_notifier_v1 *>(connection->bind(ext_idle_notifier_v1_interface));
    if (!notifier)
        return nullptr;
    return std::unique_ptr<ExtIdleNotifyTap>(new ExtIdleNotifyTap(std::move(connection), notifier));
}

ExtIdleNotifyTap::ExtIdleNotifyTap(std::unique_ptr<WaylandIdleConnection> connection, ext_idle_notifier_v1 *notifier)
    : m_connection(std::move(connection)),
      m_notifier(notifier),
      m_notification(ext_idle_notifier_v1_get_idle_notification(notifier, IdleActivityReporter::kIdleTimeoutMs,
                                                                m_connection->seat()))
{
    ext_idle_notification_v1_add_listener(m_notification, &kListener, &m_connection->reporter());
    m_connection->watch();
}

ExtIdleNotifyTap::~ExtIdleNotifyTap()
{
    ext_idle_notification_v1_destroy(m_notification);
    ext_idle_notifier_v1_destroy(m_notifier);
}
