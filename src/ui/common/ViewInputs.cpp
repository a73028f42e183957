#include "ViewInputs.h"

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

std::initializer_list<QByteArray> timerSignals()
{
    static const std::initializer_list<QByteArray> names = {
        "stateChanged",          "workSecondsChanged",          "breakSecondsChanged",
        "breakIntervalSecondsChanged", "breakDurationSecondsChanged", "snoozeActiveChanged",
        "snoozeSecondsRemainingChanged", "trackingPausedChanged"};
    return names;
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

} // namespace ViewInputs
