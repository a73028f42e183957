#include "BoardInputs.h"

#include "activity/ActivityMonitor.h"
#include "hold/BreakHold.h"
#include "tasks/TodoManager.h"
#include "ui/common/ViewInputs.h"

namespace ViewInputs {

FocusBoardModel::Inputs board(const WorkTimer &workTimer, const ActivityMonitor &monitor,
                              const TodoManager &todoManager, const BreakHold &hold)
{
    FocusBoardModel::Inputs inputs;
    inputs.timer = timer(workTimer);
    inputs.userPresent = monitor.isPresent();
    inputs.holdText = hold.statusText();
    if (const auto task = currentTask(todoManager))
        inputs.currentTask = FocusBoardModel::CurrentTask{task->title, todoManager.displayedFocusSeconds(*task)};
    return inputs;
}

} // namespace ViewInputs
