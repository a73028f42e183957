#include "PanelInputs.h"

#include "activity/ActivityMonitor.h"
#include "settings/UserSettings.h"
#include "tasks/TodoManager.h"
#include "ui/common/ViewInputs.h"

namespace ViewInputs {

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

} // namespace ViewInputs
