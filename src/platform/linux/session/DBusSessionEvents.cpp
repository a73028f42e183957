#include "DBusSessionEvents.h"

#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {

const QString kLogin1 = QStringLiteral("org.freedesktop.login1");
const QString kLogin1Path = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString kSession = QStringLiteral("org.freedesktop.login1.Session");

} // namespace

DBusSessionEvents::DBusSessionEvents(QDBusConnection systemBus, QDBusConnection sessionBus, QObject *parent)
    : SessionEvents(parent),
      m_systemBus(std::move(systemBus))
{
    m_systemBus.connect(kLogin1, kLogin1Path, kManager, QStringLiteral("PrepareForSleep"), this,
                        SLOT(onPrepareForSleep(bool)));

    // KDE, XFCE and others own the freedesktop name, GNOME its own; any sender may announce it.
    sessionBus.connect(QString(), QStringLiteral("/org/freedesktop/ScreenSaver"),
                       QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("ActiveChanged"), this,
                       SLOT(onScreenSaverActiveChanged(bool)));
    sessionBus.connect(QString(), QStringLiteral("/org/gnome/ScreenSaver"), QStringLiteral("org.gnome.ScreenSaver"),
                       QStringLiteral("ActiveChanged"), this, SLOT(onScreenSaverActiveChanged(bool)));

    // Lock signals go to one session only, so listen to ours. A program started by the user's
    // service manager rather than from the session has no XDG_SESSION_ID; "auto" then makes
    // logind pick the user's graphical session.
    QString id = qEnvironmentVariable("XDG_SESSION_ID");
    if (id.isEmpty())
        id = QStringLiteral("auto");
    const QDBusMessage lookup =
        QDBusMessage::createMethodCall(kLogin1, kLogin1Path, kManager, QStringLiteral("GetSession")) << id;
    auto *watcher = new QDBusPendingCallWatcher(m_systemBus.asyncCall(lookup), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *call) {
        const QDBusPendingReply<QDBusObjectPath> reply = *call;
        if (reply.isValid())
            watchSession(reply.value().path());
        call->deleteLater();
    });
}

void DBusSessionEvents::watchSession(const QString &path)
{
    m_systemBus.connect(kLogin1, path, kSession, QStringLiteral("Lock"), this, SLOT(onLock()));
    m_systemBus.connect(kLogin1, path, kSession, QStringLiteral("Unlock"), this, SLOT(onUnlock()));
    m_systemBus.connect(kLogin1, path, QStringLiteral("org.freedesktop.DBus.Properties"),
                        QStringLiteral("PropertiesChanged"), this,
                        SLOT(onSessionPropertiesChanged(QString, QVariantMap, QStringList)));
    m_sessionPath = path;
}

void DBusSessionEvents::onPrepareForSleep(bool starting) { set(Cause::sleep, starting); }

void DBusSessionEvents::onLock() { set(Cause::lock, true); }

void DBusSessionEvents::onUnlock() { set(Cause::lock, false); }

void DBusSessionEvents::onSessionPropertiesChanged(const QString &interface, const QVariantMap &changed,
                                                   const QStringList &)
{
    const auto lockedHint = changed.constFind(QStringLiteral("LockedHint"));
    if (interface == kSession && lockedHint != changed.constEnd())
        set(Cause::lock, lockedHint->toBool());
}

void DBusSessionEvents::onScreenSaverActiveChanged(bool active) { set(Cause::screenSaver, active); }
