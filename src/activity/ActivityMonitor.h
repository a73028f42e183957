#pragma once

#include "activity/PresenceLogger.h"
#include "platform/Instant.h"
#include "platform/MainLoop.h"

#include <QObject>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>

class InputTap;
struct Platform;
class UserSettings;

// Decides whether the user is at the computer: every keyboard or mouse input seen by the
// input tap makes the user present, and a once-a-second check turns the user away after
// the idle threshold passes without input. Owns the flow that obtains the permission to
// observe input, and writes each change of presence to the presence log.
class ActivityMonitor : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool isPresent READ isPresent NOTIFY isPresentChanged)
    Q_PROPERTY(Instant lastActivityTime READ lastActivityTime NOTIFY lastActivityTimeChanged)
    Q_PROPERTY(bool permissionGranted READ permissionGranted NOTIFY permissionGrantedChanged)

public:
    static constexpr qint64 kDefaultIdleThresholdSeconds = 30;
    // While a break is waiting to be taken, leaving the desk should start it promptly.
    static constexpr qint64 kBreakModeIdleThreshold = 5;
    // The idle check runs every second; a gap this much larger on the boot clock between two
    // checks is a sleep nobody announced or a stopped process, never time spent working.
    // (A step of the wall clock alone is neither: the user goes on working.)
    static constexpr double kClockJumpSeconds = 5.0;

    // Reads the idle timeout from the settings; starts nothing.
    ActivityMonitor(Platform &platform, UserSettings &settings, QObject *parent = nullptr);
    ~ActivityMonitor() override;

    bool isPresent() const { return m_isPresent; }
    Instant lastActivityTime() const { return m_lastActivityTime; }
    bool permissionGranted() const { return m_permissionGranted; }
    // When the user became away: the idle check's verdict counts from the moment it is made;
    // sleep, lock and gaps in the checks from the last input before them.
    Instant awaySince() const { return m_awaySince; }

    qint64 idleThresholdSeconds() const { return m_idleThresholdSeconds; }
    void setIdleThresholdSeconds(qint64 seconds) { m_idleThresholdSeconds = seconds; }
    qint64 breakModeIdleThreshold() const { return m_breakModeIdleThreshold; }
    bool isBreakMode() const { return m_isBreakMode; }

    // While paused the idle check does nothing; whoever pauses also stops the tap and the
    // idle check timer.
    bool isPaused() const { return m_isPaused; }
    void setPaused(bool paused) { m_isPaused = paused; }

    bool hasEventTap() const { return m_eventTap != nullptr; }
    bool hasIdleCheckTimer() const { return m_idleCheckTimer != nullptr; }
    // Invalidates and clears the idle check timer, if any.
    void invalidateIdleCheckTimer();
    // How many permission polls are running.
    int permissionPollCount() const { return static_cast<int>(m_permissionPolls.size()); }

    // Checks the permission: starts monitoring when granted, otherwise prompts and polls.
    void requestPermission();
    // Asks the user to grant the permission, then polls every second until it is granted.
    void promptForPermission();
    // Installs the input tap unless one is installed, and counts the user present at once.
    void startEventTap();
    void stopEventTap();
    // (Re)starts the once-a-second idle check.
    void startIdleCheckTimer();
    void checkIdle();
    void recordActivity();
    void setBreakMode(bool on);

signals:
    void isPresentChanged(bool isPresent);
    void lastActivityTimeChanged(Instant lastActivityTime);
    void permissionGrantedChanged(bool permissionGranted);

private:
    void setPermissionGranted(bool granted);
    void becomeAway(Instant since);
    void onSessionInactiveChanged(bool inactive);
    void onTapActivity();
    void pollPermission(std::uint64_t pollId);

    Platform &m_platform;
    UserSettings &m_settings;
    bool m_isPresent = false;
    void followWallClock(double step);
    bool noticeGap();

    Instant m_lastActivityTime;
    // The same moment on the boot clock, which idle time is measured on.
    double m_lastActivityBoot;
    Instant m_awaySince;
    std::optional<double> m_lastIdleCheckBoot;
    ScheduledWorkHandle m_wallClockSteps;
    bool m_permissionGranted = false;
    qint64 m_idleThresholdSeconds = kDefaultIdleThresholdSeconds;
    qint64 m_breakModeIdleThreshold = kBreakModeIdleThreshold;
    bool m_isBreakMode = false;
    std::unique_ptr<InputTap> m_eventTap;
    ScheduledWorkHandle m_idleCheckTimer;
    bool m_isPaused = false;
    PresenceLogger m_logger;

    // Each prompt starts one more poll; each runs until it sees the permission granted.
    std::map<std::uint64_t, ScheduledWorkHandle> m_permissionPolls;
    std::uint64_t m_nextPollId = 0;
    // A recordActivity() is queued and has not run yet: more input until then needs no other.
    bool m_activityQueued = false;
};
