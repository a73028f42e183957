#pragma once

#include "platform/Instant.h"
#include "platform/MainLoop.h"
#include "stats/Session.h"
#include "timer/TimerState.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <type_traits>

class NotificationManager;
class StatsManager;
class TodoManager;
class UserSettings;
struct Platform;

// Counts the seconds the user actually works, decides when a break is due, counts the
// break while the user is away, and records every work and break session.
class WorkTimer : public QObject {
    Q_OBJECT
    Q_PROPERTY(qint64 workSeconds READ workSeconds NOTIFY workSecondsChanged)
    Q_PROPERTY(qint64 breakSeconds READ breakSeconds NOTIFY breakSecondsChanged)
    Q_PROPERTY(qint64 breakIntervalSeconds READ breakIntervalSeconds NOTIFY breakIntervalSecondsChanged)
    Q_PROPERTY(qint64 breakDurationSeconds READ breakDurationSeconds NOTIFY breakDurationSecondsChanged)
    Q_PROPERTY(TimerState state READ state NOTIFY stateChanged)
    Q_PROPERTY(bool trackingPaused READ trackingPaused NOTIFY trackingPausedChanged)
    Q_PROPERTY(qint64 todayTotalSeconds READ todayTotalSeconds NOTIFY todayTotalSecondsChanged)
    Q_PROPERTY(bool isPresent READ isPresent NOTIFY isPresentChanged)
    Q_PROPERTY(BreakType currentBreakType READ currentBreakType NOTIFY currentBreakTypeChanged)
    Q_PROPERTY(bool snoozeActive READ snoozeActive NOTIFY snoozeActiveChanged)
    Q_PROPERTY(qint64 snoozeSecondsRemaining READ snoozeSecondsRemaining NOTIFY snoozeSecondsRemainingChanged)
    Q_PROPERTY(double workProgress READ workProgress NOTIFY progressChanged)
    Q_PROPERTY(double breakProgress READ breakProgress NOTIFY progressChanged)

public:
    // An absence during work at least this long ends the work period.
    static constexpr double kWorkResetThreshold = 300.0;
    static constexpr double kNagIntervalSeconds = 10.0;

    WorkTimer(Platform &platform, UserSettings &settings, StatsManager &stats, TodoManager &todos,
              NotificationManager &notifications, QObject *parent = nullptr);
    ~WorkTimer() override;

    qint64 workSeconds() const { return m_workSeconds; }
    qint64 breakSeconds() const { return m_breakSeconds; }
    qint64 breakIntervalSeconds() const { return m_breakIntervalSeconds; }
    qint64 breakDurationSeconds() const { return m_breakDurationSeconds; }
    TimerState state() const { return m_state; }
    bool trackingPaused() const { return m_trackingPaused; }
    qint64 todayTotalSeconds() const { return m_todayTotalSeconds; }
    bool isPresent() const { return m_isPresent; }
    BreakType currentBreakType() const { return m_currentBreakType; }
    bool snoozeActive() const { return m_snoozeActive; }
    qint64 snoozeSecondsRemaining() const { return m_snoozeSecondsRemaining; }
    double workProgress() const;
    double breakProgress() const;

    // `awaySince` is when the user left, where that was before the news arrived.
    void updatePresence(bool present, std::optional<Instant> awaySince = std::nullopt);
    void applySettings();
    void recordOpenSessions();
    void snooze(qint64 minutes);
    void takeBreakFromSnooze();
    // While held, the break still comes due but its reminder and the "Step away!" repeats
    // wait; on release the reminder that waited comes.
    void setRemindersHeld(bool held);

    // Called each time a new work session starts.
    std::function<void()> onSessionStart;

signals:
    void workSecondsChanged();
    void breakSecondsChanged();
    void breakIntervalSecondsChanged();
    void breakDurationSecondsChanged();
    void stateChanged();
    void trackingPausedChanged();
    void todayTotalSecondsChanged();
    void isPresentChanged();
    void currentBreakTypeChanged();
    void snoozeActiveChanged();
    void snoozeSecondsRemainingChanged();
    void progressChanged();

private:
    void handlePresenceWhileWorking(bool present, Instant awaySince);
    void handlePresenceDuringBreak(bool present);
    void startWorkTimer();
    void workTick();
    void startBreak();
    void startBreakTimer();
    void breakTick();
    void endBreak();
    void closeWorkPeriodForBreak();
    std::optional<QString> currentTaskTitle() const;
    void recordSession(Instant start, Instant end, qint64 duration, SessionType type, bool completed,
                       std::optional<QString> taskTitle);
    void requestNotificationPermission();
    void sendNotification(const QString &title, const QString &body);

    // Break reminders and snooze.
    void remindBreak();
    void startNagTimer();
    void nagTick();
    void snoozeTick();
    void endSnooze();
    void sendStepAway();
    void deliverReminder(const QString &title, const QString &body);
    qint64 shortBreakLength() const;
    qint64 longBreakLength() const;

    // The kept moments move with a step of the wall clock.
    void followWallClock(double step);

    // Repeats `step` every `seconds` on the main loop; the queued step does nothing once this timer is gone.
    ScheduledWorkHandle scheduleTicks(double seconds, void (WorkTimer::*step)());

    // Assigns a published value and announces it.
    template <typename T> void publish(T &field, std::type_identity_t<T> value, void (WorkTimer::*changed)())
    {
        field = value;
        emit(this->*changed)();
        if constexpr (std::is_same_v<T, qint64>) {
            if (&field != &m_todayTotalSeconds && &field != &m_snoozeSecondsRemaining)
                emit progressChanged();
        }
    }

    Platform &m_platform;
    UserSettings &m_settings;
    StatsManager &m_stats;
    TodoManager &m_todos;
    NotificationManager &m_notifications;

    qint64 m_workSeconds = 0;
    qint64 m_breakSeconds = 0;
    qint64 m_breakIntervalSeconds = 1500;
    qint64 m_breakDurationSeconds = 300;
    TimerState m_state = TimerState::working;
    bool m_trackingPaused = false;
    qint64 m_todayTotalSeconds = 0;
    bool m_isPresent = false;
    BreakType m_currentBreakType = BreakType::shortBreak;
    bool m_snoozeActive = false;
    bool m_remindersHeld = false;
    // The break reminder a hold kept back: its title and text.
    std::optional<std::pair<QString, QString>> m_heldReminder;
    qint64 m_snoozeSecondsRemaining = 0;
    ScheduledWorkHandle m_timer;
    ScheduledWorkHandle m_nagTimer;
    ScheduledWorkHandle m_snoozeTimer;
    std::optional<Instant> m_awayStartTime;
    std::optional<Instant> m_workSessionStartTime;
    std::optional<Instant> m_breakSessionStartTime;
    // The boot clock at the last break tick: a sleep in between was time away.
    double m_lastBreakTickBoot = 0;
    ScheduledWorkHandle m_wallClockSteps;
};
