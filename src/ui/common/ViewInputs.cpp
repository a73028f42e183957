#include "ViewInputs.h"

#include "activity/ActivityMonitor.h"
#include "settings/UserSettings.h"
#include "tasks/TodoManager.h"
#include "timer/WorkTimer.h"

namespace ViewInputs {

TimerSnapshot timer(const WorkTimer &workTimer)
{
    TimerSnapshot snapshot;
    snapshot.state = workTimer.state();
    snapshot.workSeconds = workTimer.workSeconds();
    snapshot.breakSeconds = workTimer.breakSeconds();
    snapshot.breakIntervalSeconds = workTimer.breakIntervalSeconds();
    snapshot.breakDurationSeconds = workTimer.breakDurationSeconds();
    snapshot.snoozeActive = workTimer.snoozeActive();
    snapshot.snoozeSecondsRemaining = workTimer.snoozeSecondsRemaining();
    snapshot.trackingPaused = workTimer.trackingPaused();
    return snapshot;
}

std::optional<TodoItem> currentTask(const TodoManager &todoManager)
{
    const auto id = todoManager.currentTaskId();
    if (!id)
        return std::nullopt;
    for (const TodoItem &item : todoManager.items()) {
        if (item.id == *id)
            return item;
    }
    return std::nullopt;
}

MenuBarPanelModel::Inputs panel(const WorkTimer &workTimer, const ActivityMonitor &monitor,
                                const UserSettings &settings, const TodoManager &todoManager)
{
    MenuBarPanelModel::Inputs inputs;
    inputs.timer = timer(workTimer);
    inputs.userPresent = monitor.isPresent();
    inputs.completedSessionsToday = settings.completedSessionsToday();
    inputs.longBreakEvery = settings.longBreakEvery();
    if (const auto task = currentTask(todoManager))
        inputs.currentTaskTitle = task->title;
    return inputs;
}

FocusBoardModel::Inputs board(const WorkTimer &workTimer, const ActivityMonitor &monitor,
                              const TodoManager &todoManager)
{
    FocusBoardModel::Inputs inputs;
    inputs.timer = timer(workTimer);
    inputs.userPresent = monitor.isPresent();
    if (const auto task = currentTask(todoManager))
        inputs.currentTask = FocusBoardModel::CurrentTask{task->title, todoManager.displayedFocusSeconds(*task)};
    return inputs;
}

TaskRowModel::Inputs row(const TodoItem &item, const TodoManager &todoManager, Instant now)
{
    TaskRowModel::Inputs inputs;
    inputs.status = item.status;
    const auto current = currentTask(todoManager);
    inputs.isCurrent = current && current->id == item.id;
    inputs.focusSeconds = todoManager.displayedFocusSeconds(item);
    inputs.currentSessionSeconds = todoManager.currentSessionSeconds();
    inputs.completedAt = item.completedAt;
    inputs.now = now;
    return inputs;
}

} // namespace ViewInputs
