#pragma once

#include "ui/common/widgets/CardFrame.h"

class AppState;
class FilterTab;
class MainLoop;
class QLineEdit;
class SymbolButton;
class SymbolLabel;
class TaskListView;
class TodoManager;
class WorkTimer;

// The focus board's lower card: the Active and Done tabs, the rows of the chosen one and, on
// Active, the new-task field. Its own state is the chosen tab and the text being typed.
class FocusTaskCard : public CardFrame {
    Q_OBJECT
public:
    FocusTaskCard(TodoManager &todoManager, AppState &appState, WorkTimer &workTimer,
                  const MainLoop &clock, QWidget *parent = nullptr);

    bool showingDone() const { return m_showingDone; }
    void setShowingDone(bool showingDone);
    QString newTaskTitle() const;
    // Adds the typed task: trimmed of spaces and tabs, nothing when that leaves nothing.
    void add();
    // Shows the Active tab and puts the keyboard focus in the new-task field.
    void focusNewTaskField();

private:
    void refreshTasks();
    void refreshRows();
    void updateNewTaskRow();

    TodoManager &m_todoManager;
    AppState &m_appState;
    const MainLoop &m_clock;
    bool m_showingDone = false;

    FilterTab *m_activeTab = nullptr;
    FilterTab *m_doneTab = nullptr;
    TaskListView *m_taskList = nullptr;
    QWidget *m_inputDivider = nullptr;
    QWidget *m_newTaskRow = nullptr;
    SymbolLabel *m_plus = nullptr;
    QLineEdit *m_newTaskField = nullptr;
    SymbolButton *m_addButton = nullptr;
};
