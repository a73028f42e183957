#include "TestNotificationServer.h"

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
} // namespace

bool TestNotificationServer::registerOn(QDBusConnection connection)
{
    return connection.registerObject(kPath, this,
                                     QDBusConnection::ExportScriptableSlots | QDBusConnection::ExportScriptableSignals) &&
           connection.registerService(kService);
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
