#pragma once

#include "platform/NotificationCenter.h"

#include <QList>

class MainLoop;

// Records what the program asks of the notification service and answers through the main
// loop, as the real service answers later on the main thread.
class FakeNotificationCenter final : public NotificationCenter {
public:
    explicit FakeNotificationCenter(MainLoop &mainLoop) : m_mainLoop(mainLoop) {}

    void requestAuthorization(AuthorizationCompletion completion) override;
    void setNotificationCategories(const QList<NotificationCategory> &categories) override;
    void add(const NotificationRequest &request, AddCompletion completion) override;
    void setResponseHandler(ResponseHandler handler) override { m_responseHandler = std::move(handler); }

    // The user acting on a posted notification; answers whether a handler received it.
    bool respond(const QUuid &requestIdentifier, const QString &actionIdentifier);
    bool hasResponseHandler() const { return static_cast<bool>(m_responseHandler); }

    // The answer to authorisation requests.
    bool granted = true;
    std::optional<QString> authorizationError;
    // When set, every add fails with this description.
    std::optional<QString> addFailure;

    int authorizationRequests = 0;
    int categoryRegistrations = 0;
    QList<NotificationCategory> categories;
    QList<NotificationRequest> requests;

private:
    MainLoop &m_mainLoop;
    ResponseHandler m_responseHandler;
};
