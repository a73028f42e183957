#include "NotificationManager.h"

#include "platform/Desktop.h"
#include "platform/Logger.h"
#include "platform/MainLoop.h"
#include "platform/NotificationCenter.h"
#include "platform/Platform.h"
#include "storage/DataNotice.h"

#include <QPointer>

NotificationManager::NotificationManager(Platform &platform, QObject *parent) : QObject(parent), m_platform(platform)
{
    m_platform.notifications.setResponseHandler([this](const NotificationResponse &response) { didReceive(response); });
    const NotificationAction snooze{kSnoozeActionIdentifier, kSnoozeActionTitle};
    const NotificationAction openFolder{kOpenFolderActionIdentifier, kOpenFolderActionTitle};
    m_platform.notifications.setNotificationCategories({NotificationCategory{kBreakReminderCategory, {snooze}},
                                                        NotificationCategory{kDataNoticeCategory, {openFolder}}});
}

NotificationManager::~NotificationManager() { m_platform.notifications.setResponseHandler({}); }

NotificationManager &NotificationManager::shared()
{
    static NotificationManager *instance = new NotificationManager(Platform::current());
    return *instance;
}

void NotificationManager::requestNotificationPermission() { requestNotificationPermission(m_platform); }

void NotificationManager::requestNotificationPermission(Platform &platform)
{
    Logger &log = platform.log;
    platform.notifications.requestAuthorization([&log](bool granted, const std::optional<QString> &error) {
        if (error)
            log.line(QStringLiteral("Notification permission error: ") + *error);
        log.line(QStringLiteral("Notification permission granted: ") + boolText(granted));
    });
}

void NotificationManager::sendNotification(const QString &title, const QString &body, bool isBreakReminder)
{
    // Reminders always play the sound; the sound setting is for the end of a break only.
    const NotificationRequest request{.title = title,
                                      .body = body,
                                      .categoryIdentifier = isBreakReminder ? kBreakReminderCategory : QString(),
                                      .playsSound = true};
    Logger &log = m_platform.log;
    m_platform.notifications.add(request, [&log](const std::optional<QString> &error) {
        if (error)
            log.line(QStringLiteral("Failed to send notification: ") + *error);
    });
}

void NotificationManager::sendDataNotice(const DataNotice &notice)
{
    const NotificationRequest request{
        .title = notice.title, .body = notice.body, .categoryIdentifier = kDataNoticeCategory, .playsSound = false};
    m_noticeFolders.insert(request.identifier, notice.folder);
    Logger &log = m_platform.log;
    m_platform.notifications.add(request, [&log](const std::optional<QString> &error) {
        if (error)
            log.line(QStringLiteral("Failed to send notification: ") + *error);
    });
}

void NotificationManager::didReceive(const NotificationResponse &response)
{
    if (response.actionIdentifier == kOpenFolderActionIdentifier) {
        const QString folder = m_noticeFolders.value(response.requestIdentifier);
        if (!folder.isEmpty())
            m_platform.desktop.openUrl(QUrl::fromLocalFile(folder));
        return;
    }
    // A click on the notification itself, or any other answer, leaves the program alone.
    if (response.actionIdentifier != kSnoozeActionIdentifier)
        return;
    m_platform.log.line(QStringLiteral("NotificationManager: Snooze action triggered"));
    m_platform.mainLoop.post([self = QPointer<NotificationManager>(this)] {
        if (self && self->onSnooze)
            self->onSnooze();
    });
}
