#include "StatsView.h"

#include "SessionHistoryCard.h"
#include "TodaySummaryCard.h"
#include "WeeklyChartCard.h"
#include "stats/StatsManager.h"
#include "ui/common/widgets/DataNoticeBar.h"
#include "ui/common/widgets/ScreenStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

StatsView::StatsView(StatsManager &statsManager, MainLoop &mainLoop, QWidget *parent)
    : QWidget(parent),
      m_summary(new TodaySummaryCard(statsManager)),
      m_weekly(new WeeklyChartCard(statsManager)),
      m_history(new SessionHistoryCard(statsManager)),
      m_rollover(mainLoop, [this] { refresh(); })
{
    setMinimumSize(400, 500);
    QVBoxLayout *layout = ScreenStyle::scrollingPage(this, QStringLiteral("Statistics"), 16, 20);
    auto *notices = new DataNoticeBar(statsManager.dataFile(), [&statsManager] { return statsManager.dataNotices(); });
    connect(notices, &DataNoticeBar::openFolderRequested, this, &StatsView::openFolderRequested);
    layout->addWidget(notices);
    auto *actions = new QHBoxLayout;
    actions->addStretch();
    auto *exportButton = new QPushButton(QStringLiteral("Export\u2026"), this);
    exportButton->setObjectName(QStringLiteral("export"));
    exportButton->setToolTip(QStringLiteral("Save the session history as CSV or JSON"));
    connect(exportButton, &QPushButton::clicked, this, &StatsView::exportRequested);
    actions->addWidget(exportButton);
    layout->insertLayout(1, actions);
    layout->addWidget(m_summary);
    layout->addWidget(m_weekly);
    layout->addWidget(m_history);
    layout->addStretch(1);
}

void StatsView::refresh()
{
    m_summary->refresh();
    m_weekly->refresh();
    m_history->refresh();
}
