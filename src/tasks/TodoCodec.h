#pragma once

#include "tasks/TodoItem.h"

#include <QByteArray>
#include <QList>

#include <optional>

// The format of todos.json: a compact array of tasks, keys in a fixed order,
// "completedAt" only when there is one.
namespace TodoCodec {

// Nothing when an instant cannot be written (the file must then be left as it is).
std::optional<QByteArray> encode(const QList<TodoItem> &items);
// All tasks or nothing: any defect in any task rejects the whole file.
std::optional<QList<TodoItem>> decode(const QByteArray &bytes);

} // namespace TodoCodec
