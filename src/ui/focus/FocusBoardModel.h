#pragma once

#include "ui/common/TimerSnapshot.h"
#include "ui/common/style/ColorRole.h"

#include <QString>

#include <optional>

// What the focus board's status card shows.
struct FocusBoardModel {
    struct CurrentTask {
        QString title;
        qint64 focusSeconds = 0; // the task's displayed focus time
    };

    struct Inputs {
        TimerSnapshot timer;
        bool userPresent = false; // the activity monitor's presence
        std::optional<CurrentTask> currentTask;
        QString holdText; // empty unless reminders are held
    };

    // Presence column.
    ColorRole presenceColor = ColorRole::gray; // the inner disc, and the halo at `haloOpacity`
    double haloOpacity = 0.1;
    QString presenceSymbol;
    QString presenceText;
    ColorRole presenceTextColor = ColorRole::secondary;

    // Task column; without a current task only "No active task" shows.
    std::optional<QString> taskTitle;
    QString focusStateSymbol; // an indicator, not a button
    QString focusTimeText;

    // Countdown row and progress bar.
    QString countdownLabel;
    qint64 countdownSeconds = 0; // never negative
    QString countdownText;
    ColorRole countdownColor = ColorRole::primary;
    bool showTakeBreak = false;
    QString holdText; // "Holding reminders: camera in use" under the countdown, or empty
    double progress = 0.0;
    ColorRole progressColor = ColorRole::green;

    static FocusBoardModel make(const Inputs &inputs);

    // The snooze runs this long; its bar fills as it counts down.
    static constexpr qint64 kSnoozeSeconds = 1800;
    // The work countdown turns orange at this many seconds left.
    static constexpr qint64 kWarningSeconds = 60;
};
