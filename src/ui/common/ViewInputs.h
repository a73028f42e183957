#pragma once

#include "TimerSnapshot.h"
#include "tasks/TodoItem.h"

#include <optional>

class TodoManager;
class WorkTimer;

// Reading the managers for the views: what the decisions need is copied into their plain
// inputs. The inputs of one view's decisions are read beside that view (PanelInputs,
// BoardInputs; the task rows read theirs in TaskListModel).
namespace ViewInputs {

TimerSnapshot timer(const WorkTimer &workTimer);

// The current task: the first item whose id is the current id, if any.
std::optional<TodoItem> currentTask(const TodoManager &todoManager);

} // namespace ViewInputs
