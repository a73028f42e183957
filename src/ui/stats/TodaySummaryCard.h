#pragma once

#include "StatsCard.h"

#include <vector>

class StatBox;
class StatsManager;

// Today's work time, completed sessions and breaks, and the streak.
class TodaySummaryCard : public StatsCard {
    Q_OBJECT
public:
    explicit TodaySummaryCard(StatsManager &statsManager, QWidget *parent = nullptr);

    const std::vector<StatBox *> &tiles() const { return m_tiles; }
    void refresh();

private:
    StatsManager &m_statsManager;
    std::vector<StatBox *> m_tiles;
};
