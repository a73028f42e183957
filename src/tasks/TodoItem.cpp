#include "TodoItem.h"

QString rawValue(TodoStatus status)
{
    switch (status) {
    case TodoStatus::todo:
        return QStringLiteral("todo");
    case TodoStatus::inProgress:
        return QStringLiteral("in_progress");
    case TodoStatus::done:
        return QStringLiteral("done");
    }
    return {};
}

std::optional<TodoStatus> todoStatusFromRawValue(QStringView raw)
{
    for (const TodoStatus status : kAllTodoStatuses) {
        if (raw == rawValue(status))
            return status;
    }
    return std::nullopt;
}

TodoItem TodoItem::make(QString title, Instant createdAt)
{
    return TodoItem{QUuid::createUuid(), std::move(title), TodoStatus::todo, createdAt, std::nullopt, 0};
}
