#include "TaskStore.h"

#include "tasks/TodoCodec.h"

#include <algorithm>

TaskStore::TaskStore(Platform &platform) : m_file(platform, QStringLiteral("todos.json"), QStringLiteral("TodoManager"))
{
    m_file.ensureFolder();
    if (auto decoded = m_file.load(TodoCodec::decode))
        m_items = std::move(*decoded);
}

qsizetype TaskStore::indexOf(const QUuid &id) const
{
    const auto found =
        std::find_if(m_items.cbegin(), m_items.cend(), [&id](const TodoItem &item) { return item.id == id; });
    return found == m_items.cend() ? -1 : found - m_items.cbegin();
}

QList<TodoItem> TaskStore::activeItems() const
{
    QList<TodoItem> result;
    std::copy_if(m_items.cbegin(), m_items.cend(), std::back_inserter(result),
                 [](const TodoItem &item) { return item.status != TodoStatus::done; });
    return result;
}

QList<TodoItem> TaskStore::doneItems() const
{
    QList<TodoItem> result;
    std::copy_if(m_items.cbegin(), m_items.cend(), std::back_inserter(result),
                 [](const TodoItem &item) { return item.status == TodoStatus::done; });
    std::stable_sort(result.begin(), result.end(), [](const TodoItem &a, const TodoItem &b) {
        // A task without a completion time sorts as completed at the earliest possible instant.
        if (!b.completedAt)
            return a.completedAt.has_value();
        return a.completedAt && *a.completedAt > *b.completedAt;
    });
    return result;
}

void TaskStore::save()
{
    if (const auto bytes = TodoCodec::encode(m_items))
        m_file.write(*bytes);
}

QList<DataNotice> TaskStore::notices() const
{
    return DataNotice::about(m_file, QStringLiteral("task list"), QStringLiteral("tasks"));
}
