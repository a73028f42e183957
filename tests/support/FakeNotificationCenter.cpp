#include "FakeNotificationCenter.h"

#include "platform/MainLoop.h"

void FakeNotificationCenter::requestAuthorization(AuthorizationCompletion completion)
{
    ++authorizationRequests;
    if (completion)
        m_mainLoop.post([completion, granted = granted, error = authorizationError] { completion(granted, error); });
}

void FakeNotificationCenter::setNotificationCategories(const QList<NotificationCategory> &newCategories)
{
    ++categoryRegistrations;
    categories = newCategories;
}

void FakeNotificationCenter::add(const NotificationRequest &request, AddCompletion completion)
{
    requests.append(request);
    if (completion)
        m_mainLoop.post([completion, failure = addFailure] { completion(failure); });
}

bool FakeNotificationCenter::respond(const QUuid &requestIdentifier, const QString &actionIdentifier)
{
    if (!m_responseHandler)
        return false;
    m_responseHandler(NotificationResponse{requestIdentifier, actionIdentifier});
    return true;
}
