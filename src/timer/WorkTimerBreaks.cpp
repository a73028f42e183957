// Break reminders, the repeated "Step away!" reminder and the snooze.
#include "WorkTimer.h"

#include "notifications/NotificationManager.h"
#include "platform/Logger.h"
#include "platform/Platform.h"
#include "settings/UserSettings.h"
#include "storage/Durations.h"

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
    m_notifications.sendNotification(title, body, true);
}

void WorkTimer::sendStepAway()
{
    m_notifications.sendNotification(QStringLiteral("Step away!"), QStringLiteral("Break time! Go stretch! \U0001F6B6"),
                                     true);
}

void WorkTimer::startNagTimer()
{
    if (m_nagTimer || m_snoozeActive)
        return;
    sendStepAway();
    m_nagTimer = scheduleTicks(kNagIntervalSeconds, &WorkTimer::nagTick);
}

void WorkTimer::nagTick() { sendStepAway(); }

void WorkTimer::snooze(qint64 minutes)
{
    m_platform.log.line(QStringLiteral("WorkTimer: Snooze triggered for %1 minutes").arg(minutes));
    invalidate(m_nagTimer);
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
