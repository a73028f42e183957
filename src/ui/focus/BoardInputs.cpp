#include "BoardInputs.h"

#include "activity/ActivityMonitor.h"
#include "tasks/TodoManager.h"
#include "ui/common/ViewInputs.h"

namespace ViewInputs {

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

} // namespace ViewInputs
