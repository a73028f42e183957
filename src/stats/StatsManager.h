#pragma once

#include "stats/HistoryIndex.h"
#include "stats/Session.h"
#include "storage/DataFile.h"
#include "storage/DataNotice.h"

#include <QList>
#include <QObject>

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
//
// Years of history are not held in memory: the file keeps the records, memory keeps what the
// figures of any day need (HistoryIndex) and the records of the days the screens show. A save
// adds the new records at the end of the file's list and copies the rest as it is.
class StatsManager : public QObject {
    Q_OBJECT
    Q_PROPERTY(qint64 todayWorkSeconds READ todayWorkSeconds NOTIFY sessionsChanged)

public:
    // Creates the data folder. The history is read a moment after start, once the tray and the
    // window are up, or at its first use if that comes sooner.
    explicit StatsManager(Platform &platform, QObject *parent = nullptr);
    static constexpr std::chrono::milliseconds kDeferredLoadDelay{500};

    static StatsManager &shared();

    // Every record, oldest first, in order of appending: those in the file, then those not
    // saved to it yet. Reads the whole file; nothing when it cannot be read.
    std::optional<QList<Session>> sessions() const;

    // Appends at the end of the history, announces it and saves.
    void appendSession(const Session &session);
    // Replaces the file in one step with its records and those not saved yet; a failure
    // leaves the file as it was and keeps them in memory.
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
    // Reads the file again when another program has changed it since.
    void followFile() const;
    // Builds what memory holds from the file and the records not saved yet, keeping whole
    // the records that started from `recentFrom` on.
    void readFile(Instant recentFrom) const;
    // Keeps whole the records that started from `recentFrom` on, and no others.
    void keepWholeFrom(Instant recentFrom) const;
    bool writeFile(QIODevice &out, QString &error) const;
    Instant now() const;
    QList<Session> todaySessionsOfType(std::optional<SessionType> type) const;

    Platform &m_platform;
    // Filled on first use (see loadSessions), so they change under const access.
    mutable DataFile m_file;
    mutable bool m_loaded = false;
    ScheduledWorkHandle m_deferredLoad;
    mutable HistoryIndex m_index;
    // Every record that started from m_recentFrom on, in history order, and those appended
    // since the file was read.
    mutable QList<Session> m_recent;
    mutable Instant m_recentFrom;
    // Appended, and not in the file yet.
    mutable QList<Session> m_unsaved;
};
