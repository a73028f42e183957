#include "WeeklyChartCard.h"

#include "WeeklyChart.h"
#include "stats/StatsManager.h"

#include <QVBoxLayout>

WeeklyChartCard::WeeklyChartCard(StatsManager &statsManager, QWidget *parent)
    : StatsCard(QStringLiteral("Last 7 Days"), parent),
      m_statsManager(statsManager),
      m_chart(new WeeklyChart)
{
    contentLayout()->addWidget(m_chart);
    connect(&m_statsManager, &StatsManager::sessionsChanged, this, &WeeklyChartCard::refresh);
    refresh();
}

void WeeklyChartCard::refresh() { m_chart->setChart(StatsPresentation::weeklyChart(m_statsManager.weeklyData())); }
