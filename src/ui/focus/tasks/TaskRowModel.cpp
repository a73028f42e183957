#include "TaskRowModel.h"

#include "TaskCardModel.h"
#include "ui/common/format/DurationFormat.h"
#include "ui/common/format/RelativeTimeFormat.h"

TaskRowModel TaskRowModel::make(const Inputs &inputs)
{
    TaskRowModel model;
    switch (inputs.status) {
    case TodoStatus::todo:
        model.markSymbol = QStringLiteral("circle");
        model.markColor = ColorRole::secondary;
        model.markTarget = TodoStatus::inProgress;
        model.hasFocusButton = true;
        break;
    case TodoStatus::inProgress:
        model.markSymbol = QStringLiteral("checkmark.circle");
        model.markColor = ColorRole::orange;
        model.markTarget = TodoStatus::done;
        model.showActiveBadge = true;
        break;
    case TodoStatus::done:
        model.markSymbol = QStringLiteral("checkmark.circle.fill");
        model.markColor = ColorRole::green;
        model.markTarget = TodoStatus::todo;
        model.titleStruckOut = true;
        model.titleColor = ColorRole::secondary;
        model.hasTrashButton = true;
        if (inputs.completedAt)
            model.completionText =
                RelativeTimeFormat::format(*inputs.completedAt, inputs.now, inputs.locale, inputs.zone);
        break;
    }

    // Named as the same step is in the context menu.
    model.markName = model.markTarget == TodoStatus::inProgress ? QStringLiteral("Focus")
                     : model.markTarget == TodoStatus::done     ? QStringLiteral("Mark Done")
                                                                : QStringLiteral("Move to To Do");
    model.showFocusLine = inputs.focusSeconds > 0 || inputs.isCurrent;
    if (inputs.isCurrent)
        model.focusLineColor = ColorRole::blue;
    model.showClock = inputs.isCurrent && inputs.currentSessionSeconds > 0;
    model.focusText = DurationFormat::compact(inputs.focusSeconds);
    return model;
}

std::vector<TaskRowModel::MenuItem> TaskRowModel::contextMenu(TodoStatus status)
{
    const MenuItem separator{true, Action::rename, QString(), false};
    std::vector<MenuItem> items;
    items.push_back({false, Action::rename, QStringLiteral("Rename")});
    items.push_back(separator);
    if (status != TodoStatus::inProgress)
        items.push_back({false, Action::focus, QStringLiteral("Focus")});
    if (status != TodoStatus::done)
        items.push_back({false, Action::markDone, QStringLiteral("Mark Done")});
    if (status != TodoStatus::todo)
        items.push_back({false, Action::moveToTodo, QStringLiteral("Move to To Do")});
    if (status == TodoStatus::done) {
        items.push_back(separator);
        items.push_back({false, Action::remove, QStringLiteral("Delete"), true});
    }
    return items;
}

std::optional<TodoStatus> TaskRowModel::statusFor(Action action)
{
    switch (action) {
    case Action::focus:
        return TodoStatus::inProgress;
    case Action::markDone:
        return TodoStatus::done;
    case Action::moveToTodo:
        return TodoStatus::todo;
    default:
        return std::nullopt;
    }
}

std::optional<QString> TaskRowModel::renamedTitle(const QString &edited, const QString &currentTitle)
{
    const QString trimmed = TaskCardModel::trimmedTitle(edited);
    if (trimmed.isEmpty() || trimmed == currentTitle)
        return std::nullopt;
    return trimmed;
}
