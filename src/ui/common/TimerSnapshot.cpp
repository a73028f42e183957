#include "TimerSnapshot.h"

#include <algorithm>

namespace {
double fraction(qint64 part, qint64 whole)
{
    if (whole < 1)
        return 0.0;
    return std::min(1.0, static_cast<double>(part) / static_cast<double>(whole));
}
} // namespace

double TimerSnapshot::workProgress() const { return fraction(workSeconds, breakIntervalSeconds); }

double TimerSnapshot::breakProgress() const { return fraction(breakSeconds, breakDurationSeconds); }

qint64 TimerSnapshot::phaseSecondsLeft() const
{
    return state == TimerState::working ? breakIntervalSeconds - workSeconds : breakDurationSeconds - breakSeconds;
}
