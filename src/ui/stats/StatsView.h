#pragma once

#include "ui/stats/model/DayRollover.h"

#include <QWidget>

#include <optional>

class MainLoop;
class SessionHistoryCard;
class StatsManager;
class TodaySummaryCard;
class WeeklyChartCard;

// The Stats section of the main window: today's summary, the last seven days and today's
// sessions, under a notice when the history could not be read or saved. It redraws when the history changes and when
// the day turns at midnight.
class StatsView : public QWidget {
    Q_OBJECT
public:
    StatsView(StatsManager &statsManager, MainLoop &mainLoop, QWidget *parent = nullptr);

    TodaySummaryCard *summary() const { return m_summary; }
    WeeklyChartCard *weeklyChart() const { return m_weekly; }
    SessionHistoryCard *history() const { return m_history; }

    void refresh();

signals:
    // "Open Folder" on a notice about the history file.
    void openFolderRequested(const QString &folder);
    // "Export…": the user wants the history saved to a file.
    void exportRequested();

private:
    TodaySummaryCard *m_summary;
    WeeklyChartCard *m_weekly;
    SessionHistoryCard *m_history;
    DayRollover m_rollover;
};
