#include "StatsManager.h"

#include "platform/MainLoop.h"
#include "platform/Platform.h"
#include "stats/CalendarDay.h"
#include "stats/SessionCodec.h"
#include "storage/JsonArrayAppend.h"

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
    connect(&m_file, &DataFile::saved, this, [this] { m_unsaved.clear(); });
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

namespace {
// The records kept whole in memory: those the screens show, of today, and of the day before
// for a change of time zone.
Instant recentStart(Instant now)
{
    return CalendarDay::containing(CalendarDay::containing(now).start().addSeconds(-1)).start();
}
} // namespace

void StatsManager::loadSessions() const
{
    if (std::exchange(m_loaded, true))
        return;
    readFile(recentStart(now()));
}

void StatsManager::followFile() const
{
    loadSessions();
    if (!m_file.isAsLastSeen())
        readFile(m_recentFrom);
}

void StatsManager::readFile(Instant recentFrom) const
{
    HistoryIndex index;
    QList<Session> recent;
    const auto decode = [&](const QByteArray &bytes) -> std::optional<bool> {
        // A record takes some 170 bytes in the file.
        index.reserve(static_cast<std::size_t>(bytes.size() / 150));
        const bool decoded = SessionCodec::decodeEach(bytes, [&](Session &&session) {
            index.add(session);
            if (session.startTime >= recentFrom)
                recent.append(std::move(session));
        });
        return decoded ? std::optional(true) : std::nullopt;
    };
    const bool read = m_file.load(decode).value_or(false);
    if (!read) {
        index = {};
        recent.clear();
    }
    for (const Session &session : std::as_const(m_unsaved)) {
        index.add(session);
        recent.append(session);
    }
    index.shrinkToFit();
    m_index = std::move(index);
    m_recent = std::move(recent);
    m_recentFrom = recentFrom;
}

std::optional<QList<Session>> StatsManager::sessions() const
{
    followFile();
    const DataFile::Contents contents = m_file.read();
    if (contents.outcome == DataFile::Outcome::unreadable)
        return std::nullopt;
    QList<Session> all;
    if (contents.outcome == DataFile::Outcome::read) {
        auto decoded = SessionCodec::decode(contents.bytes);
        if (!decoded)
            return std::nullopt;
        all = std::move(*decoded);
    }
    all.append(m_unsaved);
    return all;
}

void StatsManager::keepWholeFrom(Instant recentFrom) const
{
    loadSessions();
    // The clock went back to a day whose records were not kept whole.
    if (recentFrom < m_recentFrom) {
        readFile(recentFrom);
        return;
    }
    if (recentFrom == m_recentFrom)
        return;
    m_recent.removeIf([recentFrom](const Session &session) { return session.startTime < recentFrom; });
    m_recentFrom = recentFrom;
}

void StatsManager::appendSession(const Session &session)
{
    keepWholeFrom(recentStart(now()));
    m_index.add(session);
    m_recent.append(session);
    m_unsaved.append(session);
    emit sessionsChanged();
    saveSessions();
}

void StatsManager::saveSessions()
{
    loadSessions();
    m_file.write([this](QIODevice &out, QString &error) { return writeFile(out, error); });
}

bool StatsManager::writeFile(QIODevice &out, QString &error) const
{
    // Another program's change is kept: the records appended here go after whatever the file
    // holds now, or into a new one if it had to be set aside.
    followFile();
    const auto members = SessionCodec::encodeMembers(m_unsaved);
    if (!members) {
        error = QStringLiteral("a record holds a time that cannot be written");
        return false;
    }
    return appendToJsonArray(m_file.path(), *members, out, error);
}

Instant StatsManager::now() const { return m_platform.mainLoop.now(); }

QList<Session> StatsManager::todaySessionsOfType(std::optional<SessionType> type) const
{
    keepWholeFrom(recentStart(now()));
    const CalendarDay today = CalendarDay::containing(now());
    QList<Session> result;
    for (const Session &session : std::as_const(m_recent)) {
        if (today.contains(session.startTime) && (!type || session.type == *type))
            result.append(session);
    }
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
    loadSessions();
    return m_index.workSecondsOn(CalendarDay::containing(day));
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
