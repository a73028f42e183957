#pragma once

#include "storage/DataFile.h"
#include "storage/DataNotice.h"
#include "tasks/TodoItem.h"

#include <QList>

struct Platform;

// The tasks as kept in todos.json, in board order: read at start, written whole after each
// change. It holds the list; what a change means for the current task is the task list's.
class TaskStore {
public:
    // Creates the data folder and reads the file.
    explicit TaskStore(Platform &platform);

    const QList<TodoItem> &items() const { return m_items; }
    // For changes in place; save() afterwards.
    QList<TodoItem> &items() { return m_items; }
    // The index of the task with `id`, or -1.
    qsizetype indexOf(const QUuid &id) const;

    // The tasks not done, in list order, and the done ones, most recently completed first (a
    // task without completion time comes last).
    QList<TodoItem> activeItems() const;
    QList<TodoItem> doneItems() const;

    void save();
    const DataFile &file() const { return m_file; }
    void ensureFolder() const { m_file.ensureFolder(); }
    QList<DataNotice> notices() const;

private:
    DataFile m_file;
    QList<TodoItem> m_items;
};
