#include "StatusNotifierItem.h"

#include "platform/linux/DBusMenuExporter.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>

namespace {

QString uniqueServiceName()
{
    static int count = 0;
    return QStringLiteral("org.kde.StatusNotifierItem-%1-%2").arg(QCoreApplication::applicationPid()).arg(++count);
}

} // namespace

StatusNotifierItem::StatusNotifierItem(QDBusConnection connection, QMenu &menu, QObject *parent)
    : QObject(parent),
      m_connection(std::move(connection)),
      m_menuExporter(new DBusMenuExporter(menu, this)),
      m_watcherWatch(
          new QDBusServiceWatcher(kWatcherService, m_connection, QDBusServiceWatcher::WatchForOwnerChange, this)),
      m_serviceName(uniqueServiceName())
{
    registerStatusNotifierTypes();
    // A panel started after the program (common at login), restarted, or gone.
    connect(m_watcherWatch, &QDBusServiceWatcher::serviceOwnerChanged, this, [this] {
        m_registered = false;
        probeHost();
    });
    if (m_connection.isConnected())
        m_connection.connect(kWatcherService, kWatcherPath, kWatcherInterface,
                             QStringLiteral("StatusNotifierHostRegistered"), this, SLOT(onHostRegistered()));
}

StatusNotifierItem::~StatusNotifierItem() { withdraw(); }

void StatusNotifierItem::probeHost()
{
    if (!m_connection.isConnected()) {
        emit hostProbed(false);
        return;
    }
    QDBusMessage get = QDBusMessage::createMethodCall(
        kWatcherService, kWatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get.setAutoStartService(false);
    get << kWatcherInterface << QStringLiteral("IsStatusNotifierHostRegistered");
    auto *pending = new QDBusPendingCallWatcher(m_connection.asyncCall(get), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *call) {
        call->deleteLater();
        const QDBusPendingReply<QDBusVariant> reply = *call;
        emit hostProbed(!reply.isError() && reply.value().variant().toBool());
    });
}

void StatusNotifierItem::publish()
{
    if (!m_connection.isConnected())
        return;
    if (!m_published) {
        m_published =
            m_connection.registerObject(
                kPath, this, QDBusConnection::ExportScriptableContents | QDBusConnection::ExportAllProperties) &&
            m_menuExporter->registerOn(m_connection) && m_connection.registerService(m_serviceName);
        if (!m_published) {
            withdraw();
            return;
        }
    }
    // A watcher that appears with its host announces the host too; registering a second time
    // while the host is still setting the item up makes some hosts drop it.
    if (m_registered)
        return;
    m_registered = true;
    QDBusMessage registration = QDBusMessage::createMethodCall(kWatcherService, kWatcherPath, kWatcherInterface,
                                                               QStringLiteral("RegisterStatusNotifierItem"));
    registration << m_serviceName;
    m_connection.asyncCall(registration);
}

void StatusNotifierItem::withdraw()
{
    if (!m_connection.isConnected())
        return;
    m_connection.unregisterService(m_serviceName);
    m_menuExporter->unregisterFrom(m_connection);
    m_connection.unregisterObject(kPath);
    m_published = false;
    m_registered = false;
}

void StatusNotifierItem::setAppearance(const QList<QImage> &icon, const QString &label, const QString &labelGuide)
{
    m_pixmaps.clear();
    for (const QImage &image : icon)
        m_pixmaps.append(StatusNotifierPixmap::fromImage(image));
    m_label = label;
    m_labelGuide = labelGuide;
    if (!m_published)
        return;
    emit NewIcon();
    emit NewToolTip();
    emit XAyatanaNewLabel(m_label, m_labelGuide);
}

QDBusObjectPath StatusNotifierItem::menu() const { return QDBusObjectPath(DBusMenuExporter::kPath); }

void StatusNotifierItem::Activate(int x, int y) { emit activated(QPoint(x, y)); }

// Hosts send a middle click here; the panel is the one thing to show.
void StatusNotifierItem::SecondaryActivate(int x, int y) { emit activated(QPoint(x, y)); }

void StatusNotifierItem::ContextMenu(int x, int y) { emit contextMenuRequested(QPoint(x, y)); }

void StatusNotifierItem::Scroll(int, const QString &) {}
