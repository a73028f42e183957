#include "StatsManager.h"

#include "platform/MainLoop.h"
#include "platform/Platform.h"
#include "stats/CalendarDay.h"
#include "stats/SessionCodec.h"
#include "storage/Durations.h"

#include <QDateTime>

#include <algorithm>
#include <utility>

StatsManager::StatsManager(Platform &platform, QObject *parent)
    : QObject(parent),
      m_platform(platform),
      m_file(platform, QStringLiteral("sessions.json"), QStringLiteral("StatsManager"))
{
    ensureDataDirectory();
    // Years of history take a tenth of a second to read: not before the program is on screen.
    m_deferredLoad = platform.mainLoop.scheduleDelayed(kDeferredLoadDelay, [this] { loadSessions(); });
}

StatsManager &StatsManager::shared()
{
    static StatsManager *instance = new StatsManager(Platform::current());
    return *instance;
}

void StatsManager::ensureDataDirectory() { m_file.ensureFolder(); }

QList<DataNotice> StatsManager::dataNotices() const
{
    return DataNotice::about(m_file, QStringLiteral("history"), QStringLiteral("sessions"));
}

void StatsManager::loadSessions() const
{
    if (std::exchange(m_loaded, true))
        return;
    auto decoded = m_file.load(SessionCodec::decode);
    if (!decoded)
        return;
    m_sessions = std::move(*decoded);
    m_startTimes.reserve(static_cast<std::size_t>(m_sessions.size()));
    for (const Session &session : m_sessions)
        m_startTimes.push_back(session.startTime.referenceSeconds());
}

const QList<Session> &StatsManager::sessions() const
{
    loadSessions();
    return m_sessions;
}

void StatsManager::appendSession(const Session &session)
{
    loadSessions();
    m_sessions.append(session);
    m_startTimes.push_back(session.startTime.referenceSeconds());
    emit sessionsChanged();
    saveSessions();
}

void StatsManager::saveSessions()
{
    if (const auto bytes = SessionCodec::encode(sessions()))
        m_file.write(*bytes);
}

Instant StatsManager::now() const { return m_platform.mainLoop.now(); }

template <typename Visit> void StatsManager::forEachSessionOn(const CalendarDay &day, Visit visit) const
{
    loadSessions();
    for (std::size_t i = 0; i < m_startTimes.size(); ++i) {
        if (day.contains(Instant::fromReferenceSeconds(m_startTimes[i])))
            visit(m_sessions[static_cast<qsizetype>(i)]);
    }
}

QList<Session> StatsManager::todaySessionsOfType(std::optional<SessionType> type) const
{
    QList<Session> result;
    forEachSessionOn(CalendarDay::containing(now()), [&](const Session &session) {
        if (!type || session.type == *type)
            result.append(session);
    });
    return result;
}

QList<Session> StatsManager::todaySessions() const { return todaySessionsOfType(std::nullopt); }

QList<Session> StatsManager::todayWorkSessions() const { return todaySessionsOfType(SessionType::work); }

QList<Session> StatsManager::todayBreakSessions() const { return todaySessionsOfType(SessionType::breakSession); }

qint64 StatsManager::todayWorkSeconds() const { return totalWorkSeconds(now()); }

qint64 StatsManager::completedWorkSessionsToday() const
{
    const QList<Session> work = todayWorkSessions();
    return std::count_if(work.cbegin(), work.cend(), [](const Session &s) { return s.completed; });
}

qint64 StatsManager::completedBreaksToday() const
{
    const QList<Session> breaks = todayBreakSessions();
    return std::count_if(breaks.cbegin(), breaks.cend(), [](const Session &s) { return s.completed; });
}

qint64 StatsManager::currentStreak() const
{
    QList<Session> work = todayWorkSessions();
    std::stable_sort(work.begin(), work.end(),
                     [](const Session &a, const Session &b) { return a.endTime > b.endTime; });
    const auto firstCutShort = std::find_if(work.cbegin(), work.cend(), [](const Session &s) { return !s.completed; });
    return firstCutShort - work.cbegin();
}

qint64 StatsManager::totalWorkSeconds(Instant day) const
{
    qint64 total = 0;
    forEachSessionOn(CalendarDay::containing(day), [&total](const Session &session) {
        // Records stay as other tools may have written them; a damaged duration counts as none.
        if (session.type == SessionType::work)
            total = Durations::add(total, Durations::counted(session.durationSeconds));
    });
    return total;
}

QList<DailyWork> StatsManager::weeklyData() const
{
    const QDateTime current = localDateTime(now());
    QList<DailyWork> result;
    for (int offset = -6; offset <= 0; ++offset) {
        // Calendar days, not multiples of 24 hours: the week may hold a 23- or 25-hour day.
        const QDateTime date = current.addDays(offset);
        if (!date.isValid())
            continue;
        const Instant instant = Instant::fromDateTime(date);
        result.append(DailyWork{instant, static_cast<double>(totalWorkSeconds(instant)) / 3600.0});
    }
    return result;
}
