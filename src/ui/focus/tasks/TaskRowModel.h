#pragma once

#include "platform/Instant.h"
#include "tasks/TodoItem.h"
#include "ui/common/style/ColorRole.h"

#include <QLocale>
#include <QString>
#include <QTimeZone>

#include <optional>
#include <vector>

// What one task row shows and offers, from the task and the tracking state around it.
struct TaskRowModel {
    enum class Action { rename, focus, markDone, moveToTodo, remove };

    struct MenuItem {
        bool separator = false;
        Action action = Action::rename;
        QString text;
        bool destructive = false;

        bool operator==(const MenuItem &) const = default;
    };

    struct Inputs {
        TodoStatus status = TodoStatus::todo;
        bool isCurrent = false;           // the task is the tracked one
        qint64 focusSeconds = 0;          // its displayed focus time
        qint64 currentSessionSeconds = 0; // the task manager's running session
        std::optional<Instant> completedAt;
        Instant now;
        QLocale locale;
        QTimeZone zone = QTimeZone::systemTimeZone();
    };

    // Status mark.
    QString markSymbol;
    ColorRole markColor = ColorRole::secondary;
    TodoStatus markTarget = TodoStatus::inProgress; // what a click on the mark sets
    QString markName;                               // what the mark does, for screen readers

    // Title.
    bool titleStruckOut = false;
    ColorRole titleColor = ColorRole::primary;

    // Focus line.
    bool showFocusLine = false;
    ColorRole focusLineColor = ColorRole::secondary;
    bool showClock = false;
    QString focusText;

    // Completion line, for done tasks with a completion time.
    std::optional<QString> completionText;

    // Trailing controls: the hover box holds at most one of the two; the badge marks the
    // task in progress.
    bool hasFocusButton = false;
    bool hasTrashButton = false;
    bool showActiveBadge = false;

    static TaskRowModel make(const Inputs &inputs);

    // Context menu of a task in `status`, separators included.
    static std::vector<MenuItem> contextMenu(TodoStatus status);

    // The status an action sets, for the actions that set one.
    static std::optional<TodoStatus> statusFor(Action action);

    // Whether, after moving a task to `status`, focus tracking has to be brought in line:
    // setting a task in progress or done may start or stop it, back to to-do never does.
    static bool needsTrackingSync(TodoStatus status) { return status != TodoStatus::todo; }

    // The title a committed rename stores: the edit trimmed of spaces and tabs, when that is
    // not empty and differs from the current title; nothing otherwise.
    static std::optional<QString> renamedTitle(const QString &edited, const QString &currentTitle);
};
