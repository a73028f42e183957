#pragma once

#include "stats/Session.h"
#include "storage/DataFile.h"
#include "storage/DataNotice.h"

#include <QList>
#include <QObject>

#include <vector>

class CalendarDay;
struct Platform;

// Hours worked on one calendar day, for the weekly chart.
struct DailyWork {
    // The evaluation instant moved to that day; only its calendar day matters.
    Instant date;
    double workHours = 0;

    bool operator==(const DailyWork &) const = default;
};

// The history of work sessions and breaks, kept in sessions.json, and the statistics
// derived from it. Records are only ever appended.
class StatsManager : public QObject {
    Q_OBJECT
    Q_PROPERTY(QList<Session> sessions READ sessions NOTIFY sessionsChanged)

public:
    // Creates the data folder. The history is read a moment after start, once the tray and the
    // window are up, or at its first use if that comes sooner.
    explicit StatsManager(Platform &platform, QObject *parent = nullptr);
    static constexpr std::chrono::milliseconds kDeferredLoadDelay{500};

    static StatsManager &shared();

    // Oldest first, in order of appending.
    const QList<Session> &sessions() const;

    // Appends at the end of the history, announces it and saves.
    void appendSession(const Session &session);
    // Rewrites the whole file in one step; a failure leaves file and memory as they are.
    void saveSessions();

    QString sessionsFilePath() const { return m_file.path(); }
    // The history file, with what went wrong reading or saving it.
    const DataFile &dataFile() const { return m_file; }
    // What the user is told about that file, while anything is wrong with it.
    QList<DataNotice> dataNotices() const;
    void ensureDataDirectory();

    // Statistics against the current instant and the user's calendar. A session belongs to
    // the day on which it started.
    QList<Session> todaySessions() const;
    QList<Session> todayWorkSessions() const;
    QList<Session> todayBreakSessions() const;
    qint64 todayWorkSeconds() const;
    qint64 completedWorkSessionsToday() const;
    qint64 completedBreaksToday() const;
    // Today's completed work sessions counted back from the one that ended last, up to the
    // first one that was cut short.
    qint64 currentStreak() const;
    // Work seconds, completed or not, of the sessions started on the calendar day of `day`.
    qint64 totalWorkSeconds(Instant day) const;
    // Seven entries, six days ago first and today last.
    QList<DailyWork> weeklyData() const;

signals:
    void sessionsChanged();

private:
    // Reads the history, once; every use of the records comes through here first.
    void loadSessions() const;
    Instant now() const;
    // Calls `visit` with each session started on `day`, in history order.
    template <typename Visit> void forEachSessionOn(const CalendarDay &day, Visit visit) const;
    QList<Session> todaySessionsOfType(std::optional<SessionType> type) const;

    Platform &m_platform;
    // Filled on first use (see loadSessions), so they change under const access.
    mutable DataFile m_file;
    mutable bool m_loaded = false;
    ScheduledWorkHandle m_deferredLoad;
    mutable QList<Session> m_sessions;
    // The start time of each session, in history order. Every figure scans the whole history
    // for a day's sessions; scanning this compact copy instead of the records keeps that fast
    // at hundreds of thousands of records.
    mutable std::vector<double> m_startTimes;
};
