#pragma once

#include "TaskCardModel.h"
#include "TaskRowLayout.h"
#include "tasks/TodoItem.h"

#include <QListView>
#include <QPersistentModelIndex>

class AppState;
class MainLoop;
class QMenu;
class TaskListModel;
class TaskRowDelegate;
class TodoManager;

// The rows of the focus board's selected tab, or its empty state. The list is one stop of the
// Tab chain; within it the keys act on the current row: Up and Down move between rows, Space
// presses the status mark, Enter the Focus button, F2 renames, Delete deletes a done task, the
// Menu key opens the row's menu, and Alt+Up or Alt+Down move the task as dragging does. On the
// Active tab a row can be dragged to a new place; the drop reaches the task manager as one move.
class TaskListView : public QListView {
    Q_OBJECT
public:
    TaskListView(TodoManager &todoManager, AppState &appState, const MainLoop &clock, QWidget *parent = nullptr);

    void setItems(const QList<TodoItem> &items, bool reorderable, const TaskCardModel::EmptyState &emptyState);
    // The clock or the focus time moved on.
    void refreshRows();

    TaskListModel &taskModel() const { return *m_model; }
    bool isShowingEmptyState() const;
    bool isRenaming() const { return state() == QAbstractItemView::EditingState; }
    QString emptyStateText() const { return m_emptyState.text; }

    // Where the parts of a row lie in the viewport, as last painted.
    TaskRowLayout rowLayout(int row) const;
    void perform(const QUuid &id, TaskRowModel::Action action);
    // The context menu for a row's task; the caller owns it.
    QMenu *buildContextMenu(const QUuid &id);
    // The gap a drop at `y` (in the viewport) falls into: 0 before the first row, the row count
    // after the last.
    int gapAt(int y) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void press(const QModelIndex &index, TaskRowLayout::Part part);
    void setStatus(const QUuid &id, TodoStatus status);
    void moveByKeyboard(int step);
    void updateDrag(const QPoint &position);
    void finishDrag(int y);
    void cancelDrag();
    void keepCurrent(const QUuid &id);

    TodoManager &m_todoManager;
    AppState &m_appState;
    TaskListModel *m_model;
    TaskRowDelegate *m_delegate;
    TaskCardModel::EmptyState m_emptyState;
    bool m_reorderable = false;

    QPersistentModelIndex m_pressedIndex;
    TaskRowLayout::Part m_pressedPart = TaskRowLayout::Part::none;
    QPoint m_pressPosition;
    bool m_dragging = false;
    int m_dropGap = -1;
};
