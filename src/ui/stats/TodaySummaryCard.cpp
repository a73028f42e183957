#include "TodaySummaryCard.h"

#include "StatBox.h"
#include "stats/StatsManager.h"
#include "ui/stats/model/StatsFormat.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {
std::vector<StatsFormat::SummaryTile> tilesOf(const StatsManager &stats)
{
    return StatsFormat::summaryTiles(stats.todayWorkSeconds(), stats.completedWorkSessionsToday(),
                                     stats.completedBreaksToday(), stats.currentStreak());
}
} // namespace

TodaySummaryCard::TodaySummaryCard(StatsManager &statsManager, QWidget *parent)
    : StatsCard(QStringLiteral("Today's Summary"), parent),
      m_statsManager(statsManager)
{
    auto *row = new QHBoxLayout;
    row->setSpacing(20);
    for (const StatsFormat::SummaryTile &tile : tilesOf(m_statsManager)) {
        auto *box = new StatBox(tile.title, tile.value, tile.icon, tile.color);
        m_tiles.push_back(box);
        row->addWidget(box, 1);
    }
    contentLayout()->addLayout(row);
    connect(&m_statsManager, &StatsManager::sessionsChanged, this, &TodaySummaryCard::refresh);
}

void TodaySummaryCard::refresh()
{
    const auto tiles = tilesOf(m_statsManager);
    for (size_t i = 0; i < tiles.size(); ++i)
        m_tiles[i]->setValue(tiles[i].value);
}
