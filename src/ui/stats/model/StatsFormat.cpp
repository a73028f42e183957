#include "StatsFormat.h"

namespace StatsFormat {

QString workTimeText(qint64 seconds)
{
    const qint64 minutes = (seconds % 3600) / 60;
    if (seconds >= 3600)
        return QStringLiteral("%1h %2m").arg(seconds / 3600).arg(minutes);
    return QStringLiteral("%1m").arg(minutes);
}

QString sessionDurationText(qint64 seconds)
{
    if (seconds >= 60)
        return QStringLiteral("%1 min").arg(seconds / 60);
    return QStringLiteral("%1 sec").arg(seconds);
}

QString timeRangeText(Instant start, Instant end)
{
    const auto clock = [](Instant instant) {
        return instant.toDateTime().toLocalTime().toString(QStringLiteral("HH:mm"));
    };
    return clock(start) + QStringLiteral(" - ") + clock(end);
}

QString weekdayLabel(Instant date, const QLocale &locale)
{
    return locale.dayName(date.toDateTime().toLocalTime().date().dayOfWeek(), QLocale::ShortFormat);
}

std::vector<SummaryTile> summaryTiles(qint64 workSeconds, qint64 completedSessions, qint64 completedBreaks,
                                      qint64 streak)
{
    return {
        {QStringLiteral("Work Time"), workTimeText(workSeconds), QStringLiteral("clock.fill"), ColorRole::blue},
        {QStringLiteral("Sessions"), QString::number(completedSessions), QStringLiteral("checkmark.circle.fill"),
         ColorRole::green},
        {QStringLiteral("Breaks"), QString::number(completedBreaks), QStringLiteral("cup.and.saucer.fill"),
         ColorRole::orange},
        {QStringLiteral("Streak"), QString::number(streak), QStringLiteral("flame.fill"), ColorRole::red},
    };
}

} // namespace StatsFormat
