#include "TestNotificationServer.h"

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
} // namespace

TestNotificationServer::TestNotificationServer(QObject *parent) : QObject(parent) {}

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

uint TestNotificationServer::Notify(const QString &appName, uint replacesId, const QString &appIcon,
                                    const QString &summary, const QString &body, const QStringList &actions,
                                    const QVariantMap &hints, int expireTimeout)
{
    if (notifyFailure) {
        sendErrorReply(QDBusError::Failed, *notifyFailure);
        return 0;
    }
    const uint id = ++m_lastId;
    received.append(Received{id, appName, replacesId, appIcon, summary, body, actions, hints, expireTimeout});
    emit notified(id);
    return id;
}

void TestNotificationServer::CloseNotification(uint id)
{
    closeRequests.append(id);
    emit closeRequested(id);
    emit NotificationClosed(id, closedByCall);
}

QStringList TestNotificationServer::GetCapabilities()
{
    return {QStringLiteral("actions"), QStringLiteral("body"), QStringLiteral("sound")};
}

QString TestNotificationServer::GetServerInformation(QString &vendor, QString &version, QString &specVersion)
{
    ++serverInformationRequests;
    vendor = QStringLiteral("Pelmix tests");
    version = QStringLiteral("1");
    specVersion = QStringLiteral("1.2");
    return QStringLiteral("test-notification-server");
}
