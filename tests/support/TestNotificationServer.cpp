#include "TestNotificationServer.h"

#include <QDBusMessage>

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
} // namespace

bool TestNotificationServer::registerOn(QDBusConnection connection)
{
    m_connection = connection;
    return connection.registerObject(kPath, this,
                                     QDBusConnection::ExportScriptableSlots | QDBusConnection::ExportScriptableSignals |
                                         QDBusConnection::ExportAllProperties) &&
           connection.registerService(kService);
}

void TestNotificationServer::setInhibited(bool inhibited)
{
    m_inhibited = inhibited;
    QDBusMessage changed = QDBusMessage::createSignal(kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("PropertiesChanged"));
    changed << kService << QVariantMap{{QStringLiteral("Inhibited"), inhibited}} << QStringList();
    m_connection.send(changed);
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
    return serverName;
}
