#pragma once

#include "platform/Instant.h"
#include "ui/common/style/ColorRole.h"

#include <QLocale>
#include <QString>

#include <vector>

// The texts of the statistics screen.
namespace StatsFormat {

// "1h 5m" from an hour on, "25m" below it; leftover seconds are dropped.
QString workTimeText(qint64 seconds);
// "25 min" from a minute on, "42 sec" below it.
QString sessionDurationText(qint64 seconds);
// "09:00 - 09:25" in the user's time zone.
QString timeRangeText(Instant start, Instant end);
// The abbreviated weekday of the instant's local date, in `locale`'s language.
QString weekdayLabel(Instant date, const QLocale &locale = QLocale());

struct SummaryTile {
    QString title;
    QString value;
    QString icon;
    ColorRole color;

    bool operator==(const SummaryTile &) const = default;
};

// The four tiles of today's summary, in order.
std::vector<SummaryTile> summaryTiles(qint64 workSeconds, qint64 completedSessions, qint64 completedBreaks,
                                      qint64 streak);

} // namespace StatsFormat
