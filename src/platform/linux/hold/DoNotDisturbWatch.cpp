#include "DoNotDisturbWatch.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

#include "GSettingsLibrary.h"

namespace {
const QString kNotifications = QStringLiteral("org.freedesktop.Notifications");
const QString kNotificationsPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kDunstInterface = QStringLiteral("org.dunstproject.cmd0");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kXfconf = QStringLiteral("org.xfce.Xfconf");
const QString kXfconfPath = QStringLiteral("/org/xfce/Xfconf");
const QString kXfceChannel = QStringLiteral("xfce4-notifyd");
const QString kXfceProperty = QStringLiteral("/do-not-disturb");
} // namespace

// GNOME keeps the setting in GSettings; its changes arrive on GLib's main context, which the
// Qt event loop runs.
struct DoNotDisturbWatch::GnomeSettings {
    const GSettingsLibrary *gio = GSettingsLibrary::open();
    GSettings *settings = nullptr;
    gulong handler = 0;

    GnomeSettings(DoNotDisturbWatch &owner)
    {
        GSettingsSchemaSource *schemas = gio ? gio->g_settings_schema_source_get_default() : nullptr;
        GSettingsSchema *schema =
            schemas ? gio->g_settings_schema_source_lookup(schemas, "org.gnome.desktop.notifications", TRUE) : nullptr;
        if (!schema)
            return;
        const bool hasKey = gio->g_settings_schema_has_key(schema, "show-banners");
        gio->g_settings_schema_unref(schema);
        if (!hasKey)
            return;
        settings = gio->g_settings_new("org.gnome.desktop.notifications");
        handler = gio->g_signal_connect_data(settings, "changed::show-banners",
                                             G_CALLBACK(+[](GSettings *, gchar *, gpointer data) {
                                                 static_cast<DoNotDisturbWatch *>(data)->report(std::nullopt);
                                             }),
                                             &owner, nullptr, GConnectFlags(0));
    }
    ~GnomeSettings()
    {
        if (settings) {
            gio->g_signal_handler_disconnect(settings, handler);
            gio->g_object_unref(settings);
        }
    }
    std::optional<bool> quiet() const
    {
        if (!settings)
            return std::nullopt;
        return !gio->g_settings_get_boolean(settings, "show-banners");
    }
};

DoNotDisturbWatch::DoNotDisturbWatch(QDBusConnection bus, std::function<void(HoldSources::Reading)> report,
                                     QObject *parent)
    : QObject(parent),
      m_bus(std::move(bus)),
      m_report(std::move(report))
{
    if (!m_bus.isConnected()) {
        m_report(HoldSources::Reading::unknown);
        return;
    }
    m_serverWatch = new QDBusServiceWatcher(kNotifications, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(m_serverWatch, &QDBusServiceWatcher::serviceOwnerChanged, this, &DoNotDisturbWatch::identifyServer);
    identifyServer();
}

DoNotDisturbWatch::~DoNotDisturbWatch() = default;

void DoNotDisturbWatch::identifyServer()
{
    stopFollowing();
    // Replies to what was asked of a server before this one are not read.
    const int asked = ++m_generation;
    // In a GNOME session do not disturb is the desktop's setting, whoever shows notifications.
    if (qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':')).contains(QLatin1String("GNOME"))) {
        follow(Server::gnome);
        return;
    }
    QDBusMessage ask = QDBusMessage::createMethodCall(kNotifications, kNotificationsPath, kNotifications,
                                                      QStringLiteral("GetServerInformation"));
    // Asking must not start a server that is not running.
    ask.setAutoStartService(false);
    auto *pending = new QDBusPendingCallWatcher(m_bus.asyncCall(ask), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this, asked](QDBusPendingCallWatcher *call) {
        call->deleteLater();
        if (asked != m_generation)
            return;
        const QDBusPendingReply<QString, QString, QString, QString> reply = *call;
        const QString name = reply.isValid() ? reply.argumentAt<0>() : QString();
        if (name == QLatin1String("dunst"))
            follow(Server::dunst);
        else if (name == QLatin1String("Plasma"))
            follow(Server::plasma);
        else if (name.startsWith(QLatin1String("Xfce")))
            follow(Server::xfce);
        else if (name == QLatin1String("gnome-shell"))
            follow(Server::gnome);
        else
            report(std::nullopt);
    });
}

void DoNotDisturbWatch::follow(Server server)
{
    m_server = server;
    switch (server) {
    case Server::dunst:
    case Server::plasma:
        m_bus.connect(kNotifications, kNotificationsPath, kProperties, QStringLiteral("PropertiesChanged"), this,
                      SLOT(propertiesChanged(QString, QVariantMap, QStringList)));
        if (server == Server::dunst)
            readProperty(kNotifications, kNotificationsPath, kDunstInterface, QStringLiteral("paused"));
        else
            readProperty(kNotifications, kNotificationsPath, kNotifications, QStringLiteral("Inhibited"));
        break;
    case Server::xfce: {
        m_bus.connect(kXfconf, kXfconfPath, kXfconf, QStringLiteral("PropertyChanged"), this,
                      SLOT(xfconfPropertyChanged(QString, QString, QDBusVariant)));
        QDBusMessage ask = QDBusMessage::createMethodCall(kXfconf, kXfconfPath, kXfconf, QStringLiteral("GetProperty"));
        ask << kXfceChannel << kXfceProperty;
        // An unset property is xfce4-notifyd's default: notifications shown.
        askFlag(ask, false);
        break;
    }
    case Server::gnome:
        m_gnome = std::make_unique<GnomeSettings>(*this);
        report(std::nullopt);
        break;
    case Server::none:
        report(std::nullopt);
        break;
    }
}

void DoNotDisturbWatch::readProperty(const QString &service, const QString &path, const QString &interface,
                                     const QString &name)
{
    QDBusMessage ask = QDBusMessage::createMethodCall(service, path, kProperties, QStringLiteral("Get"));
    ask << interface << name;
    askFlag(ask, std::nullopt);
}

void DoNotDisturbWatch::askFlag(const QDBusMessage &ask, std::optional<bool> unanswered)
{
    auto *pending = new QDBusPendingCallWatcher(m_bus.asyncCall(ask), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this, unanswered, asked = m_generation](QDBusPendingCallWatcher *call) {
                call->deleteLater();
                if (asked != m_generation)
                    return;
                const QDBusPendingReply<QDBusVariant> reply = *call;
                report(reply.isValid() ? std::optional(reply.value().variant().toBool()) : unanswered);
            });
}

void DoNotDisturbWatch::propertiesChanged(const QString &interface, const QVariantMap &changed, const QStringList &)
{
    const QString key = m_server == Server::dunst ? QStringLiteral("paused") : QStringLiteral("Inhibited");
    const QString expected = m_server == Server::dunst ? kDunstInterface : kNotifications;
    if (interface == expected && changed.contains(key))
        report(changed.value(key).toBool());
}

void DoNotDisturbWatch::xfconfPropertyChanged(const QString &channel, const QString &property,
                                              const QDBusVariant &value)
{
    if (channel == kXfceChannel && property == kXfceProperty)
        report(value.variant().toBool());
}

void DoNotDisturbWatch::report(std::optional<bool> quiet)
{
    if (m_server == Server::gnome && m_gnome)
        quiet = m_gnome->quiet();
    if (!quiet)
        m_report(HoldSources::Reading::unknown);
    else
        m_report(*quiet ? HoldSources::Reading::inUse : HoldSources::Reading::clear);
}

void DoNotDisturbWatch::stopFollowing()
{
    m_bus.disconnect(kNotifications, kNotificationsPath, kProperties, QStringLiteral("PropertiesChanged"), this,
                     SLOT(propertiesChanged(QString, QVariantMap, QStringList)));
    m_bus.disconnect(kXfconf, kXfconfPath, kXfconf, QStringLiteral("PropertyChanged"), this,
                     SLOT(xfconfPropertyChanged(QString, QString, QDBusVariant)));
    m_gnome.reset();
    m_server = Server::none;
}
