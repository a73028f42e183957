#pragma once

#include "StatsCard.h"

class StatsManager;
class WeeklyChart;

// Hours worked on each of the last seven days.
class WeeklyChartCard : public StatsCard {
    Q_OBJECT
public:
    explicit WeeklyChartCard(StatsManager &statsManager, QWidget *parent = nullptr);

    WeeklyChart *chart() const { return m_chart; }
    void refresh();

private:
    StatsManager &m_statsManager;
    WeeklyChart *m_chart;
};
