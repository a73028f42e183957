#pragma once

#include "ui/focus/FocusBoardModel.h"
#include "ui/tray/panel/MenuBarPanelModel.h"
#include "ui/focus/tasks/TaskRowModel.h"
#include "TimerSnapshot.h"

#include <optional>

class ActivityMonitor;
class AppState;
class TodoManager;
class UserSettings;
class WorkTimer;

// The one place that reads the managers for the views: it copies what the decisions need
// into their plain inputs.
namespace ViewInputs {

TimerSnapshot timer(const WorkTimer &workTimer);

// The current task: the first item whose id is the current id, if any.
std::optional<TodoItem> currentTask(const TodoManager &todoManager);

MenuBarPanelModel::Inputs panel(const WorkTimer &workTimer, const ActivityMonitor &monitor,
                                const UserSettings &settings, const TodoManager &todoManager);

FocusBoardModel::Inputs board(const WorkTimer &workTimer, const ActivityMonitor &monitor,
                              const TodoManager &todoManager);

TaskRowModel::Inputs row(const TodoItem &item, const TodoManager &todoManager, Instant now);

} // namespace ViewInputs
