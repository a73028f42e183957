#include "PanelInputs.h"

#include "activity/ActivityMonitor.h"
#include "appstate/AppState.h"
#include "hold/BreakHold.h"
#include "settings/UserSettings.h"
#include "tasks/TodoManager.h"
#include "ui/common/ViewInputs.h"

namespace ViewInputs {

MenuBarPanelModel::Inputs panel(const AppState &appState)
{
    MenuBarPanelModel::Inputs inputs;
    inputs.timer = timer(appState.workTimer());
    inputs.userPresent = appState.activityMonitor().isPresent();
    inputs.completedSessionsToday = appState.settings().completedSessionsToday();
    inputs.longBreakEvery = appState.settings().longBreakEvery();
    inputs.holdText = appState.breakHold().statusText();
    if (const auto task = currentTask(appState.todoManager()))
        inputs.currentTaskTitle = task->title;
    return inputs;
}

} // namespace ViewInputs
