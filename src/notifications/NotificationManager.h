#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QUuid>

#include <functional>

struct DataNotice;
struct NotificationResponse;
struct Platform;

// The program's link to the desktop notifications: registers the break-reminder category
// with its snooze button, asks for permission, posts reminders and turns a press on the
// snooze button into a call of `onSnooze` on the main loop.
class NotificationManager : public QObject {
    Q_OBJECT

public:
    static inline const QString kBreakReminderCategory = QStringLiteral("BREAK_REMINDER");
    static inline const QString kSnoozeActionIdentifier = QStringLiteral("SNOOZE_30_MIN");
    static inline const QString kSnoozeActionTitle = QStringLiteral("I'm on a meet (30 min)");
    static inline const QString kDataNoticeCategory = QStringLiteral("DATA_NOTICE");
    static inline const QString kOpenFolderActionIdentifier = QStringLiteral("OPEN_DATA_FOLDER");
    static inline const QString kOpenFolderActionTitle = QStringLiteral("Open Folder");

    // Registers the category and becomes the receiver of the user's responses.
    explicit NotificationManager(Platform &platform, QObject *parent = nullptr);
    ~NotificationManager() override;

    static NotificationManager &shared();

    // Asks for permission to notify; the answer is only logged.
    void requestNotificationPermission();
    // The same request for callers that hold only the platform services (AppState::start()).
    static void requestNotificationPermission(Platform &platform);

    // Posts one notification with the default sound. A break reminder carries the snooze
    // button. A failure is logged and otherwise ignored.
    void sendNotification(const QString &title, const QString &body, bool isBreakReminder);

    // Posts what went wrong with a data file, with a button that opens its folder.
    void sendDataNotice(const DataNotice &notice);

    // Called on the main loop when the user chooses the snooze button.
    std::function<void()> onSnooze;

private:
    void didReceive(const NotificationResponse &response);

    Platform &m_platform;
    // The folder each data notice opens, by request.
    QHash<QUuid, QString> m_noticeFolders;
};
