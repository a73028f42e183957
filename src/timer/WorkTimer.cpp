#include "WorkTimer.h"

#include "activity/ActivityMonitor.h"
#include "notifications/NotificationManager.h"
#include "platform/Logger.h"
#include "platform/NotificationCenter.h"
#include "platform/Platform.h"
#include "settings/UserSettings.h"
#include "stats/StatsManager.h"
#include "storage/Durations.h"
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
    m_heldReminder.reset();
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

// Break reminders, the repeated "Step away!" reminder and the snooze.

qint64 WorkTimer::shortBreakLength() const
{
    return m_settings.shortBreakDuration() == 0 ? 5 : m_settings.shortBreakDuration() * 60;
}

// Developer lengths are keyed on the short break: a long break of a 0-minute short break lasts 10 seconds.
qint64 WorkTimer::longBreakLength() const
{
    return m_settings.shortBreakDuration() == 0 ? 10 : m_settings.longBreakDuration() * 60;
}

void WorkTimer::remindBreak()
{
    m_settings.incrementCompletedSessions();
    m_platform.log.line(QStringLiteral("DEBUG: completedSessionsToday = %1, longBreakEvery = %2, isLongBreakDue = %3")
                            .arg(m_settings.completedSessionsToday())
                            .arg(m_settings.longBreakEvery())
                            .arg(boolText(m_settings.isLongBreakDue())));
    QString title;
    QString body;
    if (m_settings.isLongBreakDue()) {
        publish(m_currentBreakType, BreakType::longBreak, &WorkTimer::currentBreakTypeChanged);
        publish(m_breakDurationSeconds, longBreakLength(), &WorkTimer::breakDurationSecondsChanged);
        title = QStringLiteral("Great work! Time for a real break");
        body = QStringLiteral("You've completed %1 sessions. Take %2 minutes.")
                   .arg(m_settings.completedSessionsToday())
                   .arg(m_breakDurationSeconds / 60);
    } else {
        publish(m_currentBreakType, BreakType::shortBreak, &WorkTimer::currentBreakTypeChanged);
        publish(m_breakDurationSeconds, shortBreakLength(), &WorkTimer::breakDurationSecondsChanged);
        title = QStringLiteral("Time for a break!");
        body = QStringLiteral("Step away from the computer for %1 min").arg(m_breakDurationSeconds / 60);
    }
    deliverReminder(title, body);
}

void WorkTimer::deliverReminder(const QString &title, const QString &body)
{
    if (m_remindersHeld) {
        m_heldReminder = {title, body};
        return;
    }
    m_notifications.sendNotification(title, body, true);
}

void WorkTimer::setRemindersHeld(bool held)
{
    if (m_remindersHeld == held)
        return;
    m_remindersHeld = held;
    if (held) {
        invalidate(m_nagTimer);
        return;
    }
    if (m_state == TimerState::working) {
        m_heldReminder.reset();
        return;
    }
    if (auto reminder = std::exchange(m_heldReminder, std::nullopt))
        m_notifications.sendNotification(reminder->first, reminder->second, true);
    if (m_state == TimerState::breakWaiting && m_isPresent)
        startNagTimer();
}

void WorkTimer::sendStepAway()
{
    m_notifications.sendNotification(QStringLiteral("Step away!"), QStringLiteral("Break time! Go stretch! \U0001F6B6"),
                                     true);
}

void WorkTimer::startNagTimer()
{
    if (m_nagTimer || m_snoozeActive || m_remindersHeld)
        return;
    sendStepAway();
    m_nagTimer = scheduleTicks(kNagIntervalSeconds, &WorkTimer::nagTick);
}

void WorkTimer::nagTick() { sendStepAway(); }

void WorkTimer::snooze(qint64 minutes)
{
    m_platform.log.line(QStringLiteral("WorkTimer: Snooze triggered for %1 minutes").arg(minutes));
    invalidate(m_nagTimer);
    // The snooze is the user's answer to the reminder a hold kept back.
    m_heldReminder.reset();
    publish(m_snoozeActive, true, &WorkTimer::snoozeActiveChanged);
    publish(m_snoozeSecondsRemaining, Durations::multiply(std::max<qint64>(0, minutes), 60),
            &WorkTimer::snoozeSecondsRemainingChanged);
    invalidate(m_snoozeTimer);
    m_snoozeTimer = scheduleTicks(1.0, &WorkTimer::snoozeTick);
}

void WorkTimer::snoozeTick()
{
    if (!m_snoozeActive)
        return;
    publish(m_snoozeSecondsRemaining, m_snoozeSecondsRemaining - 1, &WorkTimer::snoozeSecondsRemainingChanged);
    if (m_snoozeSecondsRemaining > 0)
        return;
    endSnooze();
    if (m_state == TimerState::breakWaiting && m_isPresent)
        startNagTimer();
}

void WorkTimer::endSnooze()
{
    invalidate(m_snoozeTimer);
    publish(m_snoozeActive, false, &WorkTimer::snoozeActiveChanged);
    publish(m_snoozeSecondsRemaining, 0, &WorkTimer::snoozeSecondsRemainingChanged);
}

void WorkTimer::takeBreakFromSnooze()
{
    m_platform.log.line(QStringLiteral("WorkTimer: Taking break from snooze"));
    endSnooze();
    if (m_state == TimerState::working)
        closeWorkPeriodForBreak();
    publish(m_state, TimerState::breakActive, &WorkTimer::stateChanged);
    startBreakTimer();
}

// Taking a break while the work countdown runs (a snooze that outlasted its break): the
// work period ends here and a short break opens, so the break is counted and recorded.
void WorkTimer::closeWorkPeriodForBreak()
{
    const Instant now = m_platform.mainLoop.now();
    invalidate(m_timer);
    if (m_workSessionStartTime && m_workSeconds > 0)
        recordSession(*m_workSessionStartTime, m_awayStartTime.value_or(now), m_workSeconds, SessionType::work, false,
                      currentTaskTitle());
    m_workSessionStartTime.reset();
    m_awayStartTime.reset();
    m_breakSessionStartTime = now;
    publish(m_currentBreakType, BreakType::shortBreak, &WorkTimer::currentBreakTypeChanged);
    publish(m_breakDurationSeconds, shortBreakLength(), &WorkTimer::breakDurationSecondsChanged);
    publish(m_breakSeconds, 0, &WorkTimer::breakSecondsChanged);
}
