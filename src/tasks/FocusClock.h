#pragma once

#include "platform/MainLoop.h"

#include <QObject>
#include <QUuid>

#include <optional>

// The focus session of the current task: it runs from a task becoming current until it stops
// being current, in stretches while the user works on it (from resume() to pause()). What it
// gathered is owed to the task until credited, which the task list does.
class FocusClock : public QObject {
    Q_OBJECT

public:
    // Owed seconds are credited at least this often while a stretch runs.
    static constexpr qint64 kCreditEverySeconds = 300;

    explicit FocusClock(MainLoop &loop, QObject *parent = nullptr);

    std::optional<QUuid> taskId() const { return m_taskId; }
    bool isRunning() const { return m_isRunning; }
    std::optional<Instant> stretchStart() const { return m_stretchStart; }
    qint64 accumulatedSeconds() const { return m_accumulatedSeconds; }
    // Banked seconds plus the running stretch's, as of the last refresh (once a second).
    qint64 sessionSeconds() const { return m_sessionSeconds; }
    // Banked seconds plus the running stretch's, now.
    qint64 sessionSecondsNow() const;
    // The part of the session already credited to the task.
    qint64 creditedSeconds() const { return m_creditedSeconds; }
    void markCredited(qint64 seconds) { m_creditedSeconds += seconds; }

    // Starts an empty session for `id` (none: no current task), leaving the clock running or not.
    void select(std::optional<QUuid> id);
    // A stretch begins, when there is a current task and none runs.
    void resume();
    // The running stretch ends, at `stretchEnd` when the user left earlier (never before it
    // began); answers whether one ran.
    bool pause(std::optional<Instant> stretchEnd = std::nullopt);
    // Stops the clock; the session stays for crediting until the next select().
    void stop();
    // Brings sessionSeconds() up to now; asks for a credit when enough is owed.
    void refresh();

signals:
    void taskIdChanged();
    void isRunningChanged();
    void sessionSecondsChanged();
    // Enough of the session is owed to the task to credit it now.
    void creditDue();

private:
    qint64 runningStretchSeconds() const;
    void setRunning(bool running);
    void setSessionSeconds(qint64 seconds);

    MainLoop &m_loop;
    std::optional<QUuid> m_taskId;
    bool m_isRunning = false;
    std::optional<Instant> m_stretchStart;
    qint64 m_accumulatedSeconds = 0;
    qint64 m_creditedSeconds = 0;
    qint64 m_sessionSeconds = 0;
    ScheduledWorkHandle m_ticks;
    ScheduledWorkHandle m_wallClockSteps;
};
