#pragma once

#include "FocusBoardModel.h"
#include "ui/common/widgets/CardFrame.h"

class ActivityMonitor;
class BreakHold;
class ElidedLabel;
class PresenceCircles;
class QLabel;
class QPushButton;
class SymbolLabel;
class ThinProgressBar;
class TodoManager;
class UserSettings;
class WorkTimer;

// The focus board's upper card: whether the user is at the computer, the current task with
// its focus time, and the countdown to the break with its bar ("Take Break" while snoozed).
class FocusStatusCard : public CardFrame {
    Q_OBJECT
public:
    FocusStatusCard(TodoManager &todoManager, WorkTimer &workTimer, ActivityMonitor &activityMonitor,
                    UserSettings &settings, BreakHold &hold, QWidget *parent = nullptr);

    const FocusBoardModel &model() const { return m_model; }

private:
    void refresh();

    TodoManager &m_todoManager;
    WorkTimer &m_workTimer;
    ActivityMonitor &m_activityMonitor;
    BreakHold &m_hold;
    FocusBoardModel m_model;

    PresenceCircles *m_presence = nullptr;
    QLabel *m_presenceText = nullptr;
    QLabel *m_noTask = nullptr;
    QWidget *m_currentTask = nullptr;
    ElidedLabel *m_taskTitle = nullptr;
    SymbolLabel *m_focusState = nullptr;
    QLabel *m_focusTime = nullptr;
    QLabel *m_countdownCaption = nullptr;
    QLabel *m_countdown = nullptr;
    QPushButton *m_takeBreak = nullptr;
    QLabel *m_holdText = nullptr;
    ThinProgressBar *m_progress = nullptr;
};
