#pragma once

#include "TaskRowModel.h"
#include "tasks/TodoItem.h"

#include <QAbstractListModel>
#include <QList>


class MainLoop;
class TodoManager;

// The tasks of one tab of the focus board, as rows. It keeps the tasks the board hands it and
// works out what a row shows only when the row is drawn, so a long list costs a task's data
// per row and nothing more. Updates arrive as the smallest change the view can follow, so the
// current row, the scroll position and an open rename survive them.
class TaskListModel : public QAbstractListModel {
    Q_OBJECT
public:
    TaskListModel(TodoManager &todoManager, const MainLoop &clock, QObject *parent = nullptr);

    // The tab's tasks in their new order.
    void setItems(const QList<TodoItem> &items);
    // The running focus time or the clock moved on: what the rows show may differ.
    void refreshShown();

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    // A committed rename (EditRole): trimmed, and stored only when it leaves a new title.
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    const TodoItem &item(int row) const { return m_items.at(row); }
    TaskRowModel rowModel(int row) const;
    // Whether the row shows its focus line and its completion line (the row's height).
    std::pair<bool, bool> lines(int row) const;
    int rowOf(const QUuid &id) const;

signals:
    // Some row gained or lost a line: the rows need laying out again.
    void rowHeightsChanged();

private:
    bool isCurrent(const TodoItem &item) const;
    std::pair<bool, bool> linesOf(const TodoItem &item) const;
    void reorder(const QList<TodoItem> &items);

    TodoManager &m_todoManager;
    const MainLoop &m_clock;
    QList<TodoItem> m_items;
    std::optional<QUuid> m_currentId;
    qint64 m_shownMinute = 0;
};
