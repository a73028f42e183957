#pragma once

#include <QList>
#include <QString>
#include <QUuid>

#include <functional>
#include <optional>

// How insistently the desktop should present a notification.
enum class NotificationUrgency { low, normal, critical };

// A button shown on the notifications of a category.
struct NotificationAction {
    QString identifier;
    QString title;
};

// A named set of actions. A request names a category to get its buttons.
struct NotificationCategory {
    QString identifier;
    QList<NotificationAction> actions;
};

// One notification to show now. Every member has a default, so callers name only what
// they set: NotificationRequest{.title = ..., .body = ..., .playsSound = ...}.
struct NotificationRequest {
    QUuid identifier = QUuid::createUuid();
    QString title = {};
    QString body = {};
    // Empty, or a category registered with setNotificationCategories(); an unknown
    // category shows the notification without buttons.
    QString categoryIdentifier = {};
    bool playsSound = true;
    NotificationUrgency urgency = NotificationUrgency::normal;
};

// The user acting on a notification this program posted.
struct NotificationResponse {
    // The action identifier of a click on the notification itself rather than a button.
    static inline const QString kDefaultActionIdentifier = QStringLiteral("default");

    QUuid requestIdentifier;
    QString actionIdentifier;
};

// The desktop's notification service. Completions and responses arrive later on the
// main thread, never from inside the call that asked for them.
class NotificationCenter {
public:
    using AuthorizationCompletion = std::function<void(bool granted, const std::optional<QString> &error)>;
    using AddCompletion = std::function<void(const std::optional<QString> &error)>;
    using ResponseHandler = std::function<void(const NotificationResponse &response)>;

    virtual ~NotificationCenter() = default;

    // Asks whether notifications will be shown; the completion receives the answer and
    // the description of the error that prevented a positive one, if any.
    virtual void requestAuthorization(AuthorizationCompletion completion) = 0;

    // Replaces the set of categories requests may name.
    virtual void setNotificationCategories(const QList<NotificationCategory> &categories) = 0;

    // Shows `request` at once. The completion (which may be empty) receives the error
    // description when the notification could not be handed to the desktop.
    virtual void add(const NotificationRequest &request, AddCompletion completion) = 0;

    // The one receiver of the user's responses; an empty handler drops them.
    virtual void setResponseHandler(ResponseHandler handler) = 0;
};
