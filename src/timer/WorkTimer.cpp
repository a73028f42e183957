#include "WorkTimer.h"

#include "activity/ActivityMonitor.h"

#include "platform/Logger.h"
#include "platform/NotificationCenter.h"
#include "platform/Platform.h"
#include "settings/UserSettings.h"
#include "stats/StatsManager.h"
#include "tasks/TodoManager.h"

#include <QPointer>

#include <algorithm>
#include <utility>

WorkTimer::WorkTimer(Platform &platform, UserSettings &settings, StatsManager &stats, TodoManager &todos,
                     NotificationManager &notifications, QObject *parent)
    : QObject(parent),
      m_platform(platform),
      m_settings(settings),
      m_stats(stats),
      m_todos(todos),
      m_notifications(notifications)
{
    m_wallClockSteps = platform.mainLoop.onWallClockStep([this](double step) { followWallClock(step); });
    requestNotificationPermission();
    m_platform.mainLoop.post([self = QPointer(this)] {
        if (self)
            self->applySettings();
    });
}

WorkTimer::~WorkTimer() = default;

void WorkTimer::followWallClock(double step)
{
    for (std::optional<Instant> *moment : {&m_awayStartTime, &m_workSessionStartTime, &m_breakSessionStartTime}) {
        if (*moment)
            *moment = (*moment)->addSeconds(step);
    }
}

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
    publish(m_breakIntervalSeconds, m_settings.workDuration() == 0 ? 10 : m_settings.workDuration() * 60,
            &WorkTimer::breakIntervalSecondsChanged);
    // A break in progress keeps the length of its own type, so that a long break lasts as
    // long as its reminder announced even when the day's counter change triggers a sync.
    const bool longBreakInProgress = m_state != TimerState::working && m_currentBreakType == BreakType::longBreak;
    publish(m_breakDurationSeconds, longBreakInProgress ? longBreakLength() : shortBreakLength(),
            &WorkTimer::breakDurationSecondsChanged);
}

void WorkTimer::updatePresence(bool present, std::optional<Instant> awaySince)
{
    if (m_trackingPaused)
        return;
    publish(m_isPresent, present, &WorkTimer::isPresentChanged);
    if (m_state == TimerState::working)
        handlePresenceWhileWorking(present, awaySince.value_or(m_platform.mainLoop.now()));
    else
        handlePresenceDuringBreak(present);
}

void WorkTimer::handlePresenceWhileWorking(bool present, Instant awaySince)
{
    const Instant now = m_platform.mainLoop.now();
    if (!present) {
        // Away from the last input, but not from before the work period began.
        m_awayStartTime = m_workSessionStartTime ? std::max(awaySince, *m_workSessionStartTime) : awaySince;
        invalidate(m_timer);
        return;
    }
    if (m_awayStartTime && now.secondsSince(*m_awayStartTime) >= kWorkResetThreshold) {
        if (m_workSessionStartTime && m_workSeconds > 0) {
            recordSession(*m_workSessionStartTime, *m_awayStartTime, m_workSeconds, SessionType::work, false,
                          currentTaskTitle());
            m_workSessionStartTime.reset();
        }
        publish(m_workSeconds, 0, &WorkTimer::workSecondsChanged);
    }
    m_awayStartTime.reset();
    startWorkTimer();
}

void WorkTimer::handlePresenceDuringBreak(bool present)
{
    if (present) {
        publish(m_state, TimerState::breakWaiting, &WorkTimer::stateChanged);
        invalidate(m_timer);
        if (!m_snoozeActive)
            startNagTimer();
    } else {
        publish(m_state, TimerState::breakActive, &WorkTimer::stateChanged);
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
    publish(m_workSeconds, m_workSeconds + 1, &WorkTimer::workSecondsChanged);
    publish(m_todayTotalSeconds, m_todayTotalSeconds + 1, &WorkTimer::todayTotalSecondsChanged);
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
    publish(m_breakSeconds, 0, &WorkTimer::breakSecondsChanged);
    if (m_isPresent) {
        publish(m_state, TimerState::breakWaiting, &WorkTimer::stateChanged);
        startNagTimer();
    } else {
        publish(m_state, TimerState::breakActive, &WorkTimer::stateChanged);
        startBreakTimer();
    }
}

void WorkTimer::startBreakTimer()
{
    if (m_timer || m_state != TimerState::breakActive)
        return;
    m_lastBreakTickBoot = m_platform.mainLoop.bootSeconds();
    m_timer = scheduleTicks(1.0, &WorkTimer::breakTick);
}

// Ticks stop while the machine sleeps, but the break went on: a long gap on the boot clock
// counts whole; a step of the wall clock counts for nothing.
void WorkTimer::breakTick()
{
    const double boot = m_platform.mainLoop.bootSeconds();
    const double gap = boot - std::exchange(m_lastBreakTickBoot, boot);
    const qint64 counted = gap >= ActivityMonitor::kClockJumpSeconds ? static_cast<qint64>(gap) : 1;
    publish(m_breakSeconds, m_breakSeconds + counted, &WorkTimer::breakSecondsChanged);
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
    publish(m_state, TimerState::working, &WorkTimer::stateChanged);
    publish(m_workSeconds, 0, &WorkTimer::workSecondsChanged);
    if (m_isPresent)
        startWorkTimer();
}

void WorkTimer::recordOpenSessions()
{
    const Instant now = m_platform.mainLoop.now();
    if (m_workSessionStartTime && m_workSeconds > 0) {
        // Quitting (or logging out) while away: the work ended when the user left.
        const Instant end = m_state == TimerState::working && m_awayStartTime ? *m_awayStartTime : now;
        recordSession(*m_workSessionStartTime, end, m_workSeconds, SessionType::work, false, currentTaskTitle());
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
    // Appending saves the whole history at once. A record never ends before it starts.
    m_stats.appendSession(Session::make(start, std::max(start, end), duration, type, completed, std::move(taskTitle)));
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
