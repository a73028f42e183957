#include "StatsView.h"

#include "SessionHistoryCard.h"
#include "TodaySummaryCard.h"
#include "WeeklyChartCard.h"
#include "ui/screens/ScreenStyle.h"

#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

StatsView::StatsView(StatsManager &statsManager, MainLoop &mainLoop, QWidget *parent)
    : QWidget(parent),
      m_summary(new TodaySummaryCard(statsManager)),
      m_weekly(new WeeklyChartCard(statsManager)),
      m_history(new SessionHistoryCard(statsManager)),
      m_rollover(mainLoop, [this] { refresh(); })
{
    setMinimumSize(400, 500);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    outer->addWidget(scroll);

    auto *content = new QWidget;
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(20);
    layout->addWidget(ScreenStyle::label(QStringLiteral("Statistics"), ScreenStyle::font(22, QFont::Bold)));
    layout->addWidget(m_summary);
    layout->addWidget(m_weekly);
    layout->addWidget(m_history);
    layout->addStretch(1);
    scroll->setWidget(content);
}

void StatsView::refresh()
{
    m_summary->refresh();
    m_weekly->refresh();
    m_history->refresh();
}
