#include "WorkTimer.h"

#include "platform/Logger.h"
#include "platform/NotificationCenter.h"
#include "platform/Platform.h"
#include "settings/UserSettings.h"
#include "stats/StatsManager.h"
#include "tasks/TodoManager.h"

#include <QPointer>

#include <algorithm>

WorkTimer::WorkTimer(Platform &platform, UserSettings &settings, StatsManager &stats, TodoManager &todos,
                     NotificationManager &notifications, QObject *parent)
    : QObject(parent), m_platform(platform), m_settings(settings), m_stats(stats), m_todos(todos),
      m_notifications(notifications)
{
    requestNotificationPermission();
    m_platform.mainLoop.post([self = QPointer(this)] {
        if (self)
            self->applySettings();
    });
}

WorkTimer::~WorkTimer() = default;

double WorkTimer::workProgress() const
{
    if (m_breakIntervalSeconds <= 0)
        return 0.0;
    return std::min(1.0, static_cast<double>(m_workSeconds) / static_cast<double>(m_breakIntervalSeconds));
}

double WorkTimer::breakProgress() const
{
    if (m_breakDurationSeconds <= 0)
        return 0.0;
    return std::min(1.0, static_cast<double>(m_breakSeconds) / static_cast<double>(m_breakDurationSeconds));
}

ScheduledWorkHandle WorkTimer::scheduleTicks(double seconds, void (WorkTimer::*step)())
{
    return m_platform.mainLoop.scheduleRepeating(seconds, [this, step] {
        m_platform.mainLoop.post([self = QPointer(this), step] {
            if (self)
                (self->*step)();
        });
    });
}

void WorkTimer::applySettings()
{
    setBreakIntervalSeconds(m_settings.workDuration() == 0 ? 10 : m_settings.workDuration() * 60);
    // A break in progress keeps the length of its own type, so that a long break lasts as
    // long as its reminder announced even when the day's counter change triggers a sync.
    const bool longBreakInProgress = m_state != TimerState::working && m_currentBreakType == BreakType::longBreak;
    setBreakDurationSeconds(longBreakInProgress ? longBreakLength() : shortBreakLength());
}

void WorkTimer::updatePresence(bool present)
{
    if (m_trackingPaused)
        return;
    setIsPresent(present);
    if (m_state == TimerState::working)
        handlePresenceWhileWorking(present);
    else
        handlePresenceDuringBreak(present);
}

void WorkTimer::handlePresenceWhileWorking(bool present)
{
    const Instant now = m_platform.mainLoop.now();
    if (!present) {
        m_awayStartTime = now;
        invalidate(m_timer);
        return;
    }
    if (m_awayStartTime && now.secondsSince(*m_awayStartTime) >= kWorkResetThreshold) {
        if (m_workSessionStartTime && m_workSeconds > 0) {
            recordSession(*m_workSessionStartTime, *m_awayStartTime, m_workSeconds, SessionType::work, false,
                          currentTaskTitle());
            m_workSessionStartTime.reset();
        }
        setWorkSeconds(0);
    }
    m_awayStartTime.reset();
    startWorkTimer();
}

void WorkTimer::handlePresenceDuringBreak(bool present)
{
    if (present) {
        setState(TimerState::breakWaiting);
        invalidate(m_timer);
        if (!m_snoozeActive)
            startNagTimer();
    } else {
        setState(TimerState::breakActive);
        invalidate(m_nagTimer);
        startBreakTimer();
    }
}

void WorkTimer::startWorkTimer()
{
    if (m_timer || m_state != TimerState::working)
        return;
    if (!m_workSessionStartTime) {
        m_workSessionStartTime = m_platform.mainLoop.now();
        if (onSessionStart)
            onSessionStart();
    }
    m_timer = scheduleTicks(1.0, &WorkTimer::workTick);
}

void WorkTimer::workTick()
{
    setWorkSeconds(m_workSeconds + 1);
    m_todayTotalSeconds += 1;
    emit todayTotalSecondsChanged();
    if (m_workSeconds >= m_breakIntervalSeconds) {
        invalidate(m_timer);
        startBreak();
    }
}

void WorkTimer::startBreak()
{
    const Instant now = m_platform.mainLoop.now();
    if (m_workSessionStartTime)
        recordSession(*m_workSessionStartTime, now, m_workSeconds, SessionType::work, true, currentTaskTitle());
    m_workSessionStartTime.reset();
    m_breakSessionStartTime = now;
    remindBreak();
    setBreakSeconds(0);
    if (m_isPresent) {
        setState(TimerState::breakWaiting);
        startNagTimer();
    } else {
        setState(TimerState::breakActive);
        startBreakTimer();
    }
}

void WorkTimer::startBreakTimer()
{
    if (m_timer || m_state != TimerState::breakActive)
        return;
    m_timer = scheduleTicks(1.0, &WorkTimer::breakTick);
}

void WorkTimer::breakTick()
{
    setBreakSeconds(m_breakSeconds + 1);
    if (m_breakSeconds >= m_breakDurationSeconds)
        endBreak();
}

void WorkTimer::endBreak()
{
    invalidate(m_timer);
    invalidate(m_nagTimer);
    if (m_breakSessionStartTime)
        recordSession(*m_breakSessionStartTime, m_platform.mainLoop.now(), m_breakSeconds, SessionType::breakSession,
                      true, std::nullopt);
    m_breakSessionStartTime.reset();
    sendNotification(QStringLiteral("Break complete!"), QStringLiteral("Welcome back! Ready to work"));
    setState(TimerState::working);
    setWorkSeconds(0);
    if (m_isPresent)
        startWorkTimer();
}

void WorkTimer::recordOpenSessions()
{
    const Instant now = m_platform.mainLoop.now();
    if (m_workSessionStartTime && m_workSeconds > 0) {
        recordSession(*m_workSessionStartTime, now, m_workSeconds, SessionType::work, false, currentTaskTitle());
        m_workSessionStartTime.reset();
    }
    if (m_breakSessionStartTime && m_breakSeconds > 0) {
        recordSession(*m_breakSessionStartTime, now, m_breakSeconds, SessionType::breakSession, false, std::nullopt);
        m_breakSessionStartTime.reset();
    }
}

std::optional<QString> WorkTimer::currentTaskTitle() const
{
    const auto current = m_todos.currentTaskId();
    if (!current)
        return std::nullopt;
    for (const auto &item : m_todos.items()) {
        if (item.id == *current)
            return item.title;
    }
    return std::nullopt;
}

void WorkTimer::recordSession(Instant start, Instant end, qint64 duration, SessionType type, bool completed,
                              std::optional<QString> taskTitle)
{
    // Appending saves the whole history at once.
    m_stats.appendSession(Session::make(start, end, duration, type, completed, std::move(taskTitle)));
}

void WorkTimer::setWorkSeconds(qint64 value)
{
    m_workSeconds = value;
    emit workSecondsChanged();
}

void WorkTimer::setBreakSeconds(qint64 value)
{
    m_breakSeconds = value;
    emit breakSecondsChanged();
}

void WorkTimer::setBreakIntervalSeconds(qint64 value)
{
    m_breakIntervalSeconds = value;
    emit breakIntervalSecondsChanged();
    emit workSecondsChanged(); // the progress depends on it
}

void WorkTimer::setBreakDurationSeconds(qint64 value)
{
    m_breakDurationSeconds = value;
    emit breakDurationSecondsChanged();
    emit breakSecondsChanged();
}

void WorkTimer::setState(TimerState value)
{
    m_state = value;
    emit stateChanged();
}

void WorkTimer::setIsPresent(bool value)
{
    m_isPresent = value;
    emit isPresentChanged();
}

void WorkTimer::setCurrentBreakType(BreakType value)
{
    m_currentBreakType = value;
    emit currentBreakTypeChanged();
}

void WorkTimer::setSnoozeActive(bool value)
{
    m_snoozeActive = value;
    emit snoozeActiveChanged();
}

void WorkTimer::setSnoozeSecondsRemaining(qint64 value)
{
    m_snoozeSecondsRemaining = value;
    emit snoozeSecondsRemainingChanged();
}

void WorkTimer::requestNotificationPermission()
{
    m_platform.notifications.requestAuthorization(
        [log = &m_platform.log](bool granted, const std::optional<QString> &error) {
            log->line(QStringLiteral("Notification permission granted: ") + boolText(granted));
            if (error)
                log->line(QStringLiteral("Notification error: ") + *error);
        });
}

// The end-of-break notice: no snooze button, and a sound only when the user wants one.
void WorkTimer::sendNotification(const QString &title, const QString &body)
{
    NotificationRequest request;
    request.title = title;
    request.body = body;
    request.playsSound = m_settings.soundEnabled();
    m_platform.notifications.add(request, {});
}
