#include "TestStatusNotifierWatcher.h"

bool TestStatusNotifierWatcher::registerOn(QDBusConnection connection)
{
    m_connection = connection;
    return connection.registerObject(QStringLiteral("/StatusNotifierWatcher"), this,
                                     QDBusConnection::ExportScriptableContents | QDBusConnection::ExportAllProperties) &&
           connection.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"));
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
        m_connection->connect(service, QStringLiteral("/StatusNotifierItem"),
                              QStringLiteral("org.kde.StatusNotifierItem"), QStringLiteral("NewToolTip"), this,
                              SLOT(onNewToolTip()));
    }
    emit StatusNotifierItemRegistered(service);
}

void TestStatusNotifierWatcher::onNewLabel(const QString &label, const QString &) { announcedLabels.append(label); }

void TestStatusNotifierWatcher::onNewToolTip() { ++announcedToolTips; }
