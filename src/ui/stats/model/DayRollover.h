#pragma once

#include "platform/MainLoop.h"

#include <QDate>

#include <functional>

// Calls back when the local date changes, so a screen that shows "today" moves on to the new
// day while it stays open. It sleeps towards midnight in waits of at most ten minutes: a long
// timer may run late by a share of its length, or by the time the machine was suspended, and
// each wake works the rest out afresh from the clock.
class DayRollover {
public:
    static constexpr double kLongestWaitSeconds = 600.0;

    DayRollover(MainLoop &mainLoop, std::function<void()> onNewDay);

    // Seconds from `now` to the next local midnight (the first instant of the next day on
    // days whose midnight the clocks skip).
    static double secondsUntilNextMidnight(Instant now);

private:
    void schedule();
    void wake();

    MainLoop &m_mainLoop;
    std::function<void()> m_onNewDay;
    QDate m_day;
    ScheduledWorkHandle m_pending;
};
