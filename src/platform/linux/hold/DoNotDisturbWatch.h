#pragma once

#include "platform/HoldSources.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QDBusMessage;
class QDBusServiceWatcher;
class QDBusVariant;

// Whether the desktop's notification server is set not to disturb. In a GNOME session that is
// GNOME's show-banners setting; elsewhere the running server is asked who it is
// (GetServerInformation) and read its own way: dunst's paused property, KDE's Inhibited,
// XFCE's do-not-disturb setting in xfconf. Each is followed
// through its change signals. Another server, or none, leaves the reading unknown.
class DoNotDisturbWatch : public QObject {
    Q_OBJECT

public:
    DoNotDisturbWatch(QDBusConnection bus, std::function<void(HoldSources::Reading)> report, QObject *parent = nullptr);
    ~DoNotDisturbWatch() override;

private slots:
    void propertiesChanged(const QString &interface, const QVariantMap &changed, const QStringList &invalidated);
    void xfconfPropertyChanged(const QString &channel, const QString &property, const QDBusVariant &value);

private:
    enum class Server { none, dunst, plasma, xfce, gnome };

    void identifyServer();
    void follow(Server server);
    void readProperty(const QString &service, const QString &path, const QString &interface, const QString &name);
    // Asks for a flag (a variant holding a bool) and reports it; `unanswered` when no answer comes.
    void askFlag(const QDBusMessage &ask, std::optional<bool> unanswered);
    void report(std::optional<bool> quiet);
    void stopFollowing();

    QDBusConnection m_bus;
    std::function<void(HoldSources::Reading)> m_report;
    QDBusServiceWatcher *m_serverWatch = nullptr;
    Server m_server = Server::none;
    int m_generation = 0;
    struct GnomeSettings;
    std::unique_ptr<GnomeSettings> m_gnome;
};
