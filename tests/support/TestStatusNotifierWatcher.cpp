#include "TestStatusNotifierWatcher.h"

bool TestStatusNotifierWatcher::registerOn(QDBusConnection connection)
{
    if (!connection.registerObject(QStringLiteral("/StatusNotifierWatcher"), this,
                                   QDBusConnection::ExportScriptableContents | QDBusConnection::ExportAllProperties))
        return false;
    if (!connection.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"))) {
        connection.unregisterObject(QStringLiteral("/StatusNotifierWatcher"));
        return false;
    }
    m_connection = connection;
    return true;
}

void TestStatusNotifierWatcher::unregister()
{
    if (!m_connection)
        return;
    m_connection->unregisterService(QStringLiteral("org.kde.StatusNotifierWatcher"));
    m_connection->unregisterObject(QStringLiteral("/StatusNotifierWatcher"));
    m_connection.reset();
}

void TestStatusNotifierWatcher::RegisterStatusNotifierItem(const QString &service)
{
    ++registrations;
    if (!items.contains(service)) {
        items.append(service);
        m_connection->connect(service, QStringLiteral("/StatusNotifierItem"),
                              QStringLiteral("org.kde.StatusNotifierItem"), QStringLiteral("XAyatanaNewLabel"), this,
                              SLOT(onNewLabel(QString, QString)));
    }
    emit StatusNotifierItemRegistered(service);
}

void TestStatusNotifierWatcher::onNewLabel(const QString &label, const QString &) { announcedLabels.append(label); }
