#include "StatsPresentation.h"

#include "StatsFormat.h"
#include "storage/Durations.h"

#include <algorithm>

namespace StatsPresentation {

WeeklyChart weeklyChart(const QList<DailyWork> &week, const QLocale &locale)
{
    WeeklyChart chart;
    double tallest = 0;
    for (const DailyWork &day : week) {
        chart.bars.push_back({day.date, day.workHours, StatsFormat::weekdayLabel(day.date, locale)});
        tallest = std::max(tallest, day.workHours);
    }
    chart.axis = ChartAxis::forMaximum(tallest);
    return chart;
}

SessionRowText sessionRow(const Session &session)
{
    const bool work = session.type == SessionType::work;
    return {
        StatsFormat::timeRangeText(session.startTime, session.endTime),
        work ? QStringLiteral("laptopcomputer") : QStringLiteral("cup.and.saucer"),
        work ? QStringLiteral("Work") : QStringLiteral("Break"),
        work ? ColorRole::blue : ColorRole::orange,
        session.taskTitle,
        StatsFormat::sessionDurationText(Durations::counted(session.durationSeconds)),
        session.completed ? QStringLiteral("checkmark.circle.fill") : QStringLiteral("xmark.circle"),
        session.completed ? ColorRole::green : ColorRole::red,
    };
}

QList<Session> orderedByStart(QList<Session> sessions)
{
    std::stable_sort(sessions.begin(), sessions.end(),
                     [](const Session &a, const Session &b) { return a.startTime < b.startTime; });
    return sessions;
}

} // namespace StatsPresentation
