#pragma once

#include "timer/TimerState.h"

#include <QtGlobal>

// The work timer's published values that the views show, copied into a plain value so that
// the decisions taken from them need no timer to test.
struct TimerSnapshot {
    TimerState state = TimerState::working;
    qint64 workSeconds = 0;
    qint64 breakSeconds = 0;
    qint64 breakIntervalSeconds = 1500;
    qint64 breakDurationSeconds = 300;
    bool snoozeActive = false;
    qint64 snoozeSecondsRemaining = 0;
    bool trackingPaused = false;

    // min(1, workSeconds / breakIntervalSeconds); 0 for an interval below one second.
    double workProgress() const;
    // min(1, breakSeconds / breakDurationSeconds); 0 for a duration below one second.
    double breakProgress() const;
    // The seconds left in the current phase, before clamping: the work interval while
    // working, the break otherwise.
    qint64 phaseSecondsLeft() const;

    bool operator==(const TimerSnapshot &) const = default;
};
