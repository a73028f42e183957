#pragma once

#include <QMetaType>

// Where the work timer stands.
enum class TimerState {
    working,      // work time accrues while the user is present
    breakWaiting, // a break is due and the user is still at the computer
    breakActive,  // a break is due and the user is away, so break time accrues
};

// The kind of the current or last break. Stored as "short" and "long".
enum class BreakType { shortBreak, longBreak };

Q_DECLARE_METATYPE(TimerState)
Q_DECLARE_METATYPE(BreakType)
