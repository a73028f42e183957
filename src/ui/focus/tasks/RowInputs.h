#pragma once

#include "TaskRowModel.h"

class TodoManager;

// What a task row decides from.
namespace ViewInputs {

TaskRowModel::Inputs row(const TodoItem &item, const TodoManager &todoManager, Instant now);

} // namespace ViewInputs
