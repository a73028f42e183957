#pragma once

#include "ChartAxis.h"
#include "stats/Session.h"
#include "stats/StatsManager.h"
#include "ui/common/style/ColorRole.h"

#include <QList>
#include <QLocale>

#include <optional>
#include <vector>

// What the weekly chart and the session rows show, decided from the history's records.
namespace StatsPresentation {

struct ChartBar {
    Instant date;
    double hours = 0;
    QString weekday; // abbreviated, in the locale's language
};

struct WeeklyChart {
    std::vector<ChartBar> bars; // oldest first, today last
    ChartAxis axis;
};

WeeklyChart weeklyChart(const QList<DailyWork> &week, const QLocale &locale = QLocale());

struct SessionRowText {
    QString timeRange;
    QString typeIcon;
    QString typeLabel;
    ColorRole typeColor;
    std::optional<QString> taskTitle;
    QString duration;
    QString completionIcon;
    ColorRole completionColor;
};

SessionRowText sessionRow(const Session &session);

// Earliest start first; records that started together keep their history order.
QList<Session> orderedByStart(QList<Session> sessions);

} // namespace StatsPresentation
