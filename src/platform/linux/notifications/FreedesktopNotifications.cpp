#include "FreedesktopNotifications.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QVariantMap>

namespace {

QString describe(const QDBusError &error)
{
    if (!error.message().isEmpty())
        return error.message();
    if (!error.name().isEmpty())
        return error.name();
    return QDBusError::errorString(error.type());
}

// The byte values the freedesktop notification protocol gives the urgency levels.
uchar urgencyByte(NotificationUrgency urgency)
{
    switch (urgency) {
    case NotificationUrgency::low:
        return 0;
    case NotificationUrgency::normal:
        return 1;
    case NotificationUrgency::critical:
        return 2;
    }
    return 1;
}

} // namespace

FreedesktopNotifications::FreedesktopNotifications(QDBusConnection connection, QObject *parent)
    : QObject(parent),
      m_connection(std::move(connection))
{
    // Both signals are broadcast to every client; QtDBus only passes on those sent by the
    // current owner of the service name.
    m_connection.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                         SLOT(onActionInvoked(uint, QString, QDBusMessage)));
    m_connection.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                         SLOT(onNotificationClosed(uint, uint, QDBusMessage)));
    m_serviceWatcher = new QDBusServiceWatcher(kService, m_connection, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(m_serviceWatcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            &FreedesktopNotifications::onServiceOwnerChanged);
}

FreedesktopNotifications::~FreedesktopNotifications() = default;

void FreedesktopNotifications::call(const QDBusMessage &message, ReplyHandler onReply)
{
    if (!m_connection.isConnected()) {
        // QtDBus never finishes a call made on a closed connection; answer from the event
        // loop all the same, so callers see one behaviour.
        const QString reason = m_connection.lastError().isValid() ? describe(m_connection.lastError())
                                                                  : QStringLiteral("Not connected to D-Bus server");
        QMetaObject::invokeMethod(
            this,
            [onReply = std::move(onReply), reason] {
                if (onReply)
                    onReply(QDBusMessage::createError(QDBusError::Disconnected, reason));
            },
            Qt::QueuedConnection);
        return;
    }
    // Parented to this object, so no reply is handled once the service is gone.
    auto *watcher = new QDBusPendingCallWatcher(m_connection.asyncCall(message), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [onReply = std::move(onReply)](QDBusPendingCallWatcher *finished) {
                finished->deleteLater();
                if (onReply)
                    onReply(finished->reply());
            });
}

void FreedesktopNotifications::requestAuthorization(AuthorizationCompletion completion)
{
    const QDBusMessage message =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("GetServerInformation"));
    call(message, [completion = std::move(completion)](const QDBusMessage &answer) {
        const QDBusReply<QString> reply(answer);
        if (!completion)
            return;
        if (reply.isValid())
            completion(true, std::nullopt);
        else
            completion(false, describe(reply.error()));
    });
}

void FreedesktopNotifications::setNotificationCategories(const QList<NotificationCategory> &categories)
{
    m_categories = categories;
}

const NotificationCategory *FreedesktopNotifications::category(const QString &identifier) const
{
    for (const NotificationCategory &category : m_categories) {
        if (category.identifier == identifier)
            return &category;
    }
    return nullptr;
}

void FreedesktopNotifications::add(const NotificationRequest &request, AddCompletion completion)
{
    QStringList actions; // key, label, key, label...
    QStringList actionIdentifiers;
    if (const NotificationCategory *shownCategory = category(request.categoryIdentifier)) {
        for (const NotificationAction &action : shownCategory->actions) {
            actions << action.identifier << action.title;
            actionIdentifiers << action.identifier;
        }
    }

    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), kDesktopEntry);
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(urgencyByte(request.urgency)));
    if (request.playsSound)
        hints.insert(QStringLiteral("sound-name"), kSoundName);
    else
        hints.insert(QStringLiteral("suppress-sound"), true);

    QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    message << kApplicationName << uint(0) << QString() << request.title << request.body << actions << hints << int(-1);

    call(message, [this, identifier = request.identifier, actionIdentifiers,
                   completion = std::move(completion)](const QDBusMessage &answer) {
        const QDBusReply<uint> reply(answer);
        if (!reply.isValid()) {
            if (completion)
                completion(describe(reply.error()));
            return;
        }
        m_shown.insert({answer.service(), reply.value()}, Shown{identifier, actionIdentifiers});
        if (completion)
            completion(std::nullopt);
    });
}

void FreedesktopNotifications::setResponseHandler(ResponseHandler handler) { m_responseHandler = std::move(handler); }

void FreedesktopNotifications::onActionInvoked(uint id, const QString &actionKey, const QDBusMessage &message)
{
    const auto found = m_shown.constFind({message.service(), id});
    if (found == m_shown.constEnd())
        return; // another program's notification
    const NotificationResponse response{found->requestIdentifier, actionKey};
    if (found->actionIdentifiers.contains(actionKey)) {
        // Some servers (dunst among them) leave a notification on screen after one of its
        // buttons was pressed; the choice is made, so take it away. Forgetting it at once
        // also keeps a repeated signal from answering twice.
        m_shown.erase(found);
        closeNotification(message.service(), id);
    }
    if (m_responseHandler)
        m_responseHandler(response);
}

void FreedesktopNotifications::onNotificationClosed(uint id, uint, const QDBusMessage &message)
{
    m_shown.remove({message.service(), id});
}

void FreedesktopNotifications::onServiceOwnerChanged(const QString &, const QString &oldOwner, const QString &)
{
    // A server that went away will never report its notifications closed.
    if (oldOwner.isEmpty())
        return;
    m_shown.removeIf([&oldOwner](const auto &entry) { return entry.key().first == oldOwner; });
}

void FreedesktopNotifications::closeNotification(const QString &server, uint id)
{
    QDBusMessage message =
        QDBusMessage::createMethodCall(server, kPath, kInterface, QStringLiteral("CloseNotification"));
    message << id;
    call(message, {}); // nothing to do when the server already closed it
}
