#pragma once

#include "TaskRowModel.h"
#include "tasks/TodoItem.h"
#include "ui/common/widgets/ElidedLabel.h"

#include <QWidget>

class AppState;
class MainLoop;
class QLabel;
class QLineEdit;
class QKeyEvent;
class QMenu;
class QPushButton;
class SymbolButton;
class SymbolLabel;
class TodoManager;

// One task of the focus board. Every change goes through the task manager; after a change
// that may start or stop work on a task, the application state brings focus tracking in line.
class TaskRow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHoverBoxWidth = 80;

    TaskRow(const TodoItem &item, TodoManager &todoManager, AppState &appState, const MainLoop &clock,
            QWidget *parent = nullptr);

    const TodoItem &item() const { return m_item; }
    // The list hands the row the task's latest value; the row never changes it itself.
    void setItem(const TodoItem &item);
    void refresh();
    const TaskRowModel &model() const { return m_model; }

    void clickStatusMark();
    void perform(TaskRowModel::Action action);

    void startRenaming();
    void commitRename();
    void cancelRename();
    bool isEditing() const { return m_isEditing; }
    QString editedTitle() const;
    bool isHovered() const { return m_isHovered; }

    // The context menu for the task's present status; the caller owns it.
    QMenu *buildContextMenu();
    // The row's controls in the order Tab visits them (hidden ones are passed over).
    QList<QWidget *> tabStops() const;

signals:
    // Up or Down on one of the row's controls: the focus should go to the row `step` away.
    void neighbourRequested(int step);
    // Alt+Up or Alt+Down: the task should move `step` places in the list.
    void moveRequested(int step);

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setStatus(TodoStatus status);
    void updateHoverControls();
    bool handleKey(QKeyEvent *event);
    void keepFocusOnRow();

    TodoItem m_item;
    TodoManager &m_todoManager;
    AppState &m_appState;
    const MainLoop &m_clock;
    TaskRowModel m_model;
    bool m_isHovered = false;
    // A control of the row has the keyboard focus: the hover controls show for it.
    bool m_hasFocusWithin = false;
    bool m_isEditing = false;

    SymbolButton *m_statusMark;
    ElidedLabel *m_title;
    QLineEdit *m_renameField;
    QWidget *m_focusLine;
    SymbolLabel *m_clockSymbol;
    QLabel *m_focusText;
    QLabel *m_completion;
    QWidget *m_hoverBox;
    QPushButton *m_focusButton;
    SymbolButton *m_trashButton;
    QLabel *m_badge;
};
