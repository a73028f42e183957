#pragma once

#include <QWidget>

class ActivityMonitor;
class AppState;
class FocusStatusCard;
class FocusTaskCard;
class MainLoop;
class TodoManager;
class UserSettings;
class WorkTimer;

// The Focus section: the status card (presence, the current task with its focus time, the
// countdown with its bar) above the task card (Active and Done tabs, the rows, the new-task
// field), with a notice between them when the task list could not be read or saved.
class FocusBoardContent : public QWidget {
    Q_OBJECT
public:
    FocusBoardContent(TodoManager &todoManager, AppState &appState, WorkTimer &workTimer,
                      ActivityMonitor &activityMonitor, UserSettings &settings, const MainLoop &clock,
                      QWidget *parent = nullptr);

    FocusStatusCard &statusCard() const { return *m_statusCard; }
    FocusTaskCard &taskCard() const { return *m_taskCard; }

private:
    FocusStatusCard *m_statusCard;
    FocusTaskCard *m_taskCard;
};
