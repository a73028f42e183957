#pragma once

#include "TaskCardModel.h"
#include "tasks/TodoItem.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QUuid>
#include <QWidget>

class AppState;
class MainLoop;
class QLabel;
class QVBoxLayout;
class SymbolLabel;
class TaskRow;
class TodoManager;

// The rows of the focus board's selected tab, or its empty state. Rows are kept per task id,
// so a row keeps its hover and rename state while the list around it changes. On the Active
// tab a row can be dragged to a new place; the drop reaches the task manager as one move.
class TaskList : public QWidget {
    Q_OBJECT
public:
    TaskList(TodoManager &todoManager, AppState &appState, const MainLoop &clock, QWidget *parent = nullptr);

    void setItems(const QList<TodoItem> &items, bool reorderable, const TaskCardModel::EmptyState &emptyState);
    // Recomputes every row from the managers (focus seconds, relative times).
    void refreshRows();

    QList<TaskRow *> rows() const { return m_order; }
    bool isShowingEmptyState() const;
    QString emptyStateText() const;

    // Puts the rows' controls after `before` in the Tab order, in the order of the rows, and
    // answers the last of them (`before` when there are none).
    QWidget *orderTabStops(QWidget *before) const;

    // The gap a drop at `y` (in this widget) falls into: 0 before the first row, rows().size()
    // after the last.
    int gapAt(int y) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void focusNeighbour(TaskRow *row, int step);
    void moveByKeyboard(TaskRow *row, int step);
    void beginDrag();
    void updateDropIndicator(int y);
    void finishDrag(int y);
    void cancelDrag();

    TodoManager &m_todoManager;
    AppState &m_appState;
    const MainLoop &m_clock;
    QVBoxLayout *m_layout;
    QWidget *m_emptyState;
    SymbolLabel *m_emptySymbol;
    QLabel *m_emptyText;
    QWidget *m_dropIndicator;
    QHash<QUuid, TaskRow *> m_rows;
    QList<TaskRow *> m_order;
    bool m_reorderable = false;

    QPointer<TaskRow> m_pressedRow;
    QPoint m_pressPosition;
    bool m_dragging = false;
};
