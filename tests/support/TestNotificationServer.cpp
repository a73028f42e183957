#include "TestNotificationServer.h"

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
} // namespace

bool TestNotificationServer::registerOn(QDBusConnection connection)
{
    if (!connection.registerObject(kPath, this,
                                   QDBusConnection::ExportScriptableSlots | QDBusConnection::ExportScriptableSignals))
        return false;
    if (!connection.registerService(kService)) {
        connection.unregisterObject(kPath);
        return false;
    }
    m_connection = connection;
    return true;
}

void TestNotificationServer::unregister()
{
    if (!m_connection)
        return;
    m_connection->unregisterService(kService);
    m_connection->unregisterObject(kPath);
    m_connection.reset();
}

uint TestNotificationServer::Notify(const QString &appName, uint, const QString &, const QString &summary,
                                    const QString &body, const QStringList &actions, const QVariantMap &hints,
                                    int expireTimeout)
{
    const uint id = static_cast<uint>(received.size()) + 1;
    received.append(Received{id, appName, summary, body, actions, hints, expireTimeout});
    return id;
}

void TestNotificationServer::CloseNotification(uint id)
{
    closeRequests.append(id);
    emit NotificationClosed(id, 3); // closed by a call
}

QString TestNotificationServer::GetServerInformation(QString &vendor, QString &version, QString &specVersion)
{
    ++serverInformationRequests;
    vendor = QStringLiteral("Pelmix tests");
    version = QStringLiteral("1");
    specVersion = QStringLiteral("1.2");
    return QStringLiteral("test-notification-server");
}
