#include "StatusNotifierItem.h"

#include "DBusMenuExporter.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cerrno>
#include <csignal>

namespace {

int nextItemNumber()
{
    static int count = 0;
    return ++count;
}

// The icon folders of programs that ended without removing theirs.
void removeAbandonedIconFolders(const QDir &parent)
{
    static const QRegularExpression pattern(QStringLiteral("^tray-icons-(\\d+)-\\d+$"));
    for (const QString &name : parent.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const auto match = pattern.match(name);
        if (match.hasMatch() && ::kill(match.captured(1).toInt(), 0) != 0 && errno == ESRCH)
            QDir(parent.filePath(name)).removeRecursively();
    }
}

std::unique_ptr<StatusNotifierIconFolder> makeIconFolder(int itemNumber)
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty() || !QDir().mkpath(runtime + QStringLiteral("/pelmix")))
        return nullptr;
    const QDir parent(runtime + QStringLiteral("/pelmix"));
    removeAbandonedIconFolders(parent);
    auto folder = std::make_unique<StatusNotifierIconFolder>(
        parent.filePath(QStringLiteral("tray-icons-%1-%2").arg(QCoreApplication::applicationPid()).arg(itemNumber)));
    return folder->isUsable() ? std::move(folder) : nullptr;
}

} // namespace

StatusNotifierItem::StatusNotifierItem(QDBusConnection connection, QMenu &menu, QObject *parent)
    : StatusItem(parent),
      m_connection(std::move(connection)),
      m_menuExporter(new DBusMenuExporter(menu, this)),
      m_watcherWatch(
          new QDBusServiceWatcher(kWatcherService, m_connection, QDBusServiceWatcher::WatchForOwnerChange, this)),
      m_serviceName(QStringLiteral("org.kde.StatusNotifierItem-%1-%2")
                        .arg(QCoreApplication::applicationPid())
                        .arg(nextItemNumber()))
{
    m_iconFolder = makeIconFolder(m_serviceName.section(QLatin1Char('-'), -1).toInt());
    connect(m_menuExporter, &DBusMenuExporter::aboutToShowRequested, this, &StatusItem::menuAboutToShow);
    connect(m_menuExporter, &DBusMenuExporter::hostMenuOpened, this, &StatusItem::hostMenuOpened);
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
        if (m_iconFolder)
            m_iconName = m_iconFolder->write(m_faceKey, m_faceImages);
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

QString StatusNotifierItem::iconThemePath() const { return m_iconFolder ? m_iconFolder->path() : QString(); }

void StatusNotifierItem::prepareFace(const QString &key, const QList<QImage> &icon)
{
    if (m_iconFolder)
        m_iconFolder->write(key, icon);
}

void StatusNotifierItem::setToolTipText(const QString &text)
{
    const bool newsChanged = text.section(QLatin1Char('\n'), 1) != m_toolTipText.section(QLatin1Char('\n'), 1);
    m_toolTipText = text;
    if (newsChanged && m_published)
        emit NewToolTip();
}

void StatusNotifierItem::setAppearance(const QString &key, const QList<QImage> &icon, const QString &label,
                                       const QString &labelGuide)
{
    m_faceKey = key;
    m_faceImages = icon;
    // Files are written only while a host may read them.
    if (m_iconFolder && m_published)
        m_iconName = m_iconFolder->write(key, icon);
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

void StatusNotifierItem::XAyatanaSecondaryActivate(uint) { emit activated(QPoint()); }

void StatusNotifierItem::ContextMenu(int x, int y) { emit contextMenuRequested(QPoint(x, y)); }

void StatusNotifierItem::Scroll(int, const QString &) {}
