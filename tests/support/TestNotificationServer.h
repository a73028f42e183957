#pragma once

#include <QDBusConnection>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

// A desktop notification server for tests: owns org.freedesktop.Notifications on the bus
// it is registered on, records each Notify call and can answer with the user's actions.
class TestNotificationServer : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
    // KDE's server says through this property that notifications are held back.
    Q_PROPERTY(bool Inhibited READ inhibited)

public:
    struct Received {
        uint id = 0;
        QString appName;
        QString summary;
        QString body;
        QStringList actions;
        QVariantMap hints;
        int expireTimeout = 0;
    };

    // Takes the service name and object path on `connection`; false when either is taken.
    bool registerOn(QDBusConnection connection);

    // The user choosing an action, or clicking the body ("default").
    void invokeAction(uint id, const QString &actionKey) { emit ActionInvoked(id, actionKey); }

    bool inhibited() const { return m_inhibited; }
    // Changes Inhibited and announces it, as KDE's server does.
    void setInhibited(bool inhibited);

    // The name GetServerInformation answers with.
    QString serverName = QStringLiteral("test-notification-server");
    QList<Received> received;
    QList<uint> closeRequests;
    int serverInformationRequests = 0;

public slots:
    Q_SCRIPTABLE uint Notify(const QString &appName, uint replacesId, const QString &appIcon, const QString &summary,
                             const QString &body, const QStringList &actions, const QVariantMap &hints,
                             int expireTimeout);
    Q_SCRIPTABLE void CloseNotification(uint id);
    Q_SCRIPTABLE QString GetServerInformation(QString &vendor, QString &version, QString &specVersion);

signals:
    Q_SCRIPTABLE void NotificationClosed(uint id, uint reason);
    Q_SCRIPTABLE void ActionInvoked(uint id, const QString &actionKey);

private:
    QDBusConnection m_connection{QString()};
    bool m_inhibited = false;
};
