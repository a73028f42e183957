#pragma once

#include "TimerSnapshot.h"
#include "tasks/TodoItem.h"

#include <QByteArray>

#include <initializer_list>
#include <optional>

class TodoManager;
class WorkTimer;

// Reading the managers for the views: what the decisions need is copied into their plain
// inputs. The inputs of one view's decisions are read beside that view (PanelInputs,
// BoardInputs; the task rows read theirs in TaskListModel).
namespace ViewInputs {

TimerSnapshot timer(const WorkTimer &workTimer);
// The work timer's signals for the values timer() copies: a view drawn from the snapshot alone
// watches these, and is not drawn again for the progress and the day's total each tick.
std::initializer_list<QByteArray> timerSignals();

// The current task: the first item whose id is the current id, if any.
std::optional<TodoItem> currentTask(const TodoManager &todoManager);

} // namespace ViewInputs
