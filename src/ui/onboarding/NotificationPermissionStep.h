#pragma once

#include <QWidget>

#include <functional>

class QPushButton;

// Asks the desktop's notification service whether reminders will be shown; the flow moves
// on with either answer.
class NotificationPermissionStep : public QWidget {
    Q_OBJECT
public:
    // Asks for the permission and calls back, later, with the answer.
    using Authorization = std::function<void(std::function<void(bool granted)>)>;

    explicit NotificationPermissionStep(Authorization requestAuthorization, QWidget *parent = nullptr);

    bool permissionGranted() const { return m_permissionGranted; }
    QPushButton *mainButton() const { return m_main; }
    QPushButton *skipButton() const { return m_skip; }

signals:
    void next();

private:
    void refresh();

    Authorization m_requestAuthorization;
    bool m_permissionGranted = false;
    QPushButton *m_main;
    QPushButton *m_skip;
};
