#include "RowInputs.h"

#include "tasks/TodoManager.h"
#include "ui/common/ViewInputs.h"

namespace ViewInputs {

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
