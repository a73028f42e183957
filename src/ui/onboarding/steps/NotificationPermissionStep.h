#pragma once

#include <QWidget>

class NotificationCenter;
class QPushButton;

// Asks the desktop's notification service whether reminders will be shown; the flow moves
// on with either answer.
class NotificationPermissionStep : public QWidget {
    Q_OBJECT
public:
    explicit NotificationPermissionStep(NotificationCenter &notifications, QWidget *parent = nullptr);

    bool permissionGranted() const { return m_permissionGranted; }
    QPushButton *mainButton() const { return m_main; }
    QPushButton *skipButton() const { return m_skip; }

signals:
    void next();

private:
    void refresh();

    NotificationCenter &m_notifications;
    bool m_permissionGranted = false;
    QPushButton *m_main;
    QPushButton *m_skip;
};
