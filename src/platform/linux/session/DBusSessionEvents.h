#pragma once

#include "platform/SessionEvents.h"

#include <QDBusConnection>
#include <QStringList>
#include <QVariantMap>

// Sleep, lock and screen saver as the session's D-Bus services announce them:
// - logind's Manager.PrepareForSleep on the system bus, before suspend and after resume;
// - this session's Lock/Unlock signals and its LockedHint property, which screen lockers set;
// - ActiveChanged of the freedesktop and GNOME screen saver services on the session bus.
// Where a service is missing its cause simply never starts; nothing here blocks on a reply.
class DBusSessionEvents final : public SessionEvents {
    Q_OBJECT

public:
    DBusSessionEvents(QDBusConnection systemBus, QDBusConnection sessionBus, QObject *parent = nullptr);

    // The logind object of this program's session, once it is known.
    QString sessionPath() const { return m_sessionPath; }

private slots:
    void onPrepareForSleep(bool starting);
    void onLock();
    void onUnlock();
    void onSessionPropertiesChanged(const QString &interface, const QVariantMap &changed, const QStringList &);
    void onScreenSaverActiveChanged(bool active);

private:
    void watchSession(const QString &path);

    QDBusConnection m_systemBus;
    QString m_sessionPath;
};
