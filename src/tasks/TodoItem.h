#pragma once

#include "platform/Instant.h"

#include <QString>
#include <QStringView>
#include <QUuid>

#include <array>
#include <optional>

enum class TodoStatus { todo, inProgress, done };

inline constexpr std::array<TodoStatus, 3> kAllTodoStatuses{TodoStatus::todo, TodoStatus::inProgress, TodoStatus::done};

// The strings todos.json stores for each status.
QString rawValue(TodoStatus status);
std::optional<TodoStatus> todoStatusFromRawValue(QStringView raw);

// One task of the task list.
struct TodoItem {
    QUuid id;
    QString title;
    TodoStatus status = TodoStatus::todo;
    Instant createdAt;
    // When the task was last marked done; absent unless it is done.
    std::optional<Instant> completedAt;
    // Focused seconds credited so far.
    qint64 totalFocusSeconds = 0;

    // A new task to do, with a fresh random id.
    static TodoItem make(QString title, Instant createdAt);

    bool operator==(const TodoItem &) const = default;
};
