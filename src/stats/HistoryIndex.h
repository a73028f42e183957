#pragma once

#include "stats/Session.h"

#include <QtGlobal>

#include <vector>

class CalendarDay;

// What a day's figures need of every record, in history order: when it started and the work
// it counts. Twelve bytes a record where the record itself takes about a hundred, so that ten
// years of history can stay in memory.
class HistoryIndex {
public:
    void add(const Session &session);
    void reserve(std::size_t records);
    // Lets go of room reserved beyond the records held.
    void shrinkToFit();
    std::size_t size() const { return m_startTimes.size(); }

    // Work seconds, completed or not, of the sessions that started on `day`.
    qint64 workSecondsOn(const CalendarDay &day) const;

private:
    std::vector<double> m_startTimes;
    // As the figures count them (Durations::counted); none for breaks.
    std::vector<qint32> m_workSeconds;
};
