#pragma once

#include "platform/DesktopEntryId.h"
#include "platform/NotificationCenter.h"

#include <QDBusConnection>
#include <QHash>
#include <QObject>

#include <utility>

class QDBusMessage;
class QDBusServiceWatcher;

// Desktop notifications through the freedesktop.org notification service on D-Bus.
//
// Linux has no per-program notification permission: notifications are "authorised"
// whenever a notification server answers. Every call is asynchronous so a slow or hung
// server never stalls the interface; each send addresses whichever server owns the
// well-known name at that moment, so a server that restarts simply works again.
class FreedesktopNotifications final : public QObject, public NotificationCenter {
    Q_OBJECT

public:
    static inline const QString kService = QStringLiteral("org.freedesktop.Notifications");
    static inline const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
    static inline const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
    static inline const QString kApplicationName = QStringLiteral("Pelmix");
    static inline const QString kDesktopEntry = kDesktopEntryId;
    static inline const QString kSoundName = QStringLiteral("message-new-instant");

    explicit FreedesktopNotifications(QDBusConnection connection = QDBusConnection::sessionBus(),
                                      QObject *parent = nullptr);
    ~FreedesktopNotifications() override;

    void requestAuthorization(AuthorizationCompletion completion) override;
    void setNotificationCategories(const QList<NotificationCategory> &categories) override;
    void add(const NotificationRequest &request, AddCompletion completion) override;
    void setResponseHandler(ResponseHandler handler) override;

    // How many shown notifications are still remembered (tests check that ids are let go).
    int trackedNotificationCount() const { return static_cast<int>(m_shown.size()); }

private slots:
    void onActionInvoked(uint id, const QString &actionKey, const QDBusMessage &message);
    void onNotificationClosed(uint id, uint reason, const QDBusMessage &message);
    void onServiceOwnerChanged(const QString &service, const QString &oldOwner, const QString &newOwner);

private:
    // Server ids are only unique per server process, so a notification is known by the
    // unique bus name of the server that showed it together with the id it returned.
    using ShownKey = std::pair<QString, uint>;
    struct Shown {
        QUuid requestIdentifier;
        QStringList actionIdentifiers;
    };

    using ReplyHandler = std::function<void(const QDBusMessage &reply)>;
    // Calls asynchronously; `onReply` (may be empty) gets the reply or the error.
    void call(const QDBusMessage &message, ReplyHandler onReply);
    const NotificationCategory *category(const QString &identifier) const;
    void closeNotification(const QString &server, uint id);

    QDBusConnection m_connection;
    QDBusServiceWatcher *m_serviceWatcher = nullptr;
    QList<NotificationCategory> m_categories;
    ResponseHandler m_responseHandler;
    QHash<ShownKey, Shown> m_shown;
};
