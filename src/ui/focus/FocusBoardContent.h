#pragma once

#include "FocusBoardModel.h"

#include <QWidget>

class ActivityMonitor;
class AppState;
class FilterTab;
class MainLoop;
class PresenceCircles;
class ElidedLabel;
class QLabel;
class QLineEdit;
class QPushButton;
class SymbolButton;
class SymbolLabel;
class TaskList;
class ThinProgressBar;
class TodoManager;
class UserSettings;
class WorkTimer;

// The Focus section: a status card (presence, the current task with its focus time, the
// countdown with its bar) above the task card (Active and Done tabs, the rows, the new-task
// field). Its own state is the selected tab and the text being typed.
class FocusBoardContent : public QWidget {
    Q_OBJECT
public:
    FocusBoardContent(TodoManager &todoManager, AppState &appState, WorkTimer &workTimer,
                      ActivityMonitor &activityMonitor, UserSettings &settings, const MainLoop &clock,
                      QWidget *parent = nullptr);

    bool showingDone() const { return m_showingDone; }
    void setShowingDone(bool showingDone);
    QString newTaskTitle() const;
    // Adds the typed task: trimmed of spaces and tabs, nothing when that leaves nothing.
    void add();

    const FocusBoardModel &model() const { return m_model; }
    FilterTab *activeTab() const { return m_activeTab; }
    FilterTab *doneTab() const { return m_doneTab; }
    QLineEdit *newTaskField() const { return m_newTaskField; }
    SymbolButton *addButton() const { return m_addButton; }
    TaskList *taskList() const { return m_taskList; }
    QPushButton *takeBreakButton() const { return m_takeBreak; }
    QLabel *countdownLabel() const { return m_countdown; }

private:
    QWidget *buildStatusCard();
    QWidget *buildTaskCard();
    void refresh();
    void refreshStatus();
    void refreshTasks();
    void updateNewTaskRow();

    TodoManager &m_todoManager;
    AppState &m_appState;
    WorkTimer &m_workTimer;
    ActivityMonitor &m_activityMonitor;
    UserSettings &m_settings;
    const MainLoop &m_clock;
    FocusBoardModel m_model;
    bool m_showingDone = false;

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
    ThinProgressBar *m_progress = nullptr;

    FilterTab *m_activeTab = nullptr;
    FilterTab *m_doneTab = nullptr;
    TaskList *m_taskList = nullptr;
    QWidget *m_inputDivider = nullptr;
    QWidget *m_newTaskRow = nullptr;
    SymbolLabel *m_plus = nullptr;
    QLineEdit *m_newTaskField = nullptr;
    SymbolButton *m_addButton = nullptr;
};
