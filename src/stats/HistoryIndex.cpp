#include "HistoryIndex.h"

#include "stats/CalendarDay.h"
#include "storage/Durations.h"

static_assert(Durations::kLongestSession <= std::numeric_limits<qint32>::max());

void HistoryIndex::add(const Session &session)
{
    m_startTimes.push_back(session.startTime.referenceSeconds());
    // Records stay as other tools may have written them; a damaged duration counts as none.
    const qint64 counted = session.type == SessionType::work ? Durations::counted(session.durationSeconds) : 0;
    m_workSeconds.push_back(static_cast<qint32>(counted));
}

void HistoryIndex::reserve(std::size_t records)
{
    m_startTimes.reserve(records);
    m_workSeconds.reserve(records);
}

void HistoryIndex::shrinkToFit()
{
    m_startTimes.shrink_to_fit();
    m_workSeconds.shrink_to_fit();
}

qint64 HistoryIndex::workSecondsOn(const CalendarDay &day) const
{
    const double start = day.start().referenceSeconds(), end = day.end().referenceSeconds();
    qint64 total = 0;
    for (std::size_t i = 0; i < m_startTimes.size(); ++i) {
        if (start <= m_startTimes[i] && m_startTimes[i] < end)
            total = Durations::add(total, m_workSeconds[i]);
    }
    return total;
}
