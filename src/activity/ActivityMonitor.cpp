#include "ActivityMonitor.h"

#include "platform/Desktop.h"
#include "platform/InputMonitoring.h"
#include "platform/Logger.h"
#include "platform/Platform.h"
#include "platform/SessionEvents.h"
#include "settings/UserSettings.h"

#include <QPointer>

#include <algorithm>
#include <utility>

ActivityMonitor::ActivityMonitor(Platform &platform, UserSettings &settings, QObject *parent)
    : QObject(parent),
      m_platform(platform),
      m_settings(settings),
      m_lastActivityTime(platform.mainLoop.now()),
      m_lastActivityBoot(platform.mainLoop.bootSeconds()),
      m_logger(platform)
{
    m_wallClockSteps = platform.mainLoop.onWallClockStep([this](double step) { followWallClock(step); });
    m_idleThresholdSeconds = m_settings.idleTimeout();
    connect(&platform.sessionEvents, &SessionEvents::inactiveChanged, this,
            &ActivityMonitor::onSessionInactiveChanged);
}

ActivityMonitor::~ActivityMonitor() = default;

void ActivityMonitor::invalidateIdleCheckTimer() { invalidate(m_idleCheckTimer); }

void ActivityMonitor::setPermissionGranted(bool granted)
{
    m_permissionGranted = granted;
    emit permissionGrantedChanged(granted);
}

void ActivityMonitor::requestPermission()
{
    const bool trusted = m_platform.input.isTrusted();
    setPermissionGranted(trusted);
    m_platform.log.line(QStringLiteral("ActivityMonitor: requestPermission called, trusted=") + boolText(trusted));
    if (trusted) {
        startEventTap();
        startIdleCheckTimer();
    } else {
        promptForPermission();
    }
}

void ActivityMonitor::promptForPermission()
{
    m_platform.log.line(QStringLiteral("ActivityMonitor: prompting for accessibility permission"));
    m_platform.input.promptForTrust();

    // Linux has no permission that grants this: what is missing is a way into the session's
    // input (XInput2, or a compositor's idle notifications). So the alert says what the session
    // lacks and what the user can do, and has no "Open Settings" button that would lead nowhere.
    AlertRequest alert;
    alert.messageText = m_platform.input.missingAccessTitle();
    alert.informativeText = m_platform.input.missingAccessText();
    alert.buttons = {QStringLiteral("OK")};
    alert.warningStyle = true;
    m_platform.desktop.runModalAlert(alert);

    const std::uint64_t pollId = m_nextPollId++;
    MainLoop &loop = m_platform.mainLoop;
    m_permissionPolls.emplace(pollId, loop.scheduleRepeating(1.0, [self = QPointer(this), &loop, pollId] {
        loop.post([self, pollId] {
            if (self)
                self->pollPermission(pollId);
        });
    }));
}

void ActivityMonitor::pollPermission(std::uint64_t pollId)
{
    const auto poll = m_permissionPolls.find(pollId);
    // A tick queued just before its poll ended finds nothing to do.
    if (poll == m_permissionPolls.end() || !m_platform.input.isTrusted())
        return;
    invalidate(poll->second);
    m_permissionPolls.erase(poll);
    setPermissionGranted(true);
    startEventTap();
    startIdleCheckTimer();
    m_platform.log.line(QStringLiteral("ActivityMonitor: permission granted, starting monitoring"));
}

void ActivityMonitor::startEventTap()
{
    if (m_eventTap)
        return;
    // The tap belongs to this monitor and dies with it, so it may call back into it directly.
    m_eventTap = m_platform.input.createTap([this] { onTapActivity(); });
    if (!m_eventTap) {
        m_platform.log.line(QStringLiteral("ActivityMonitor: Failed to create event tap"));
        return;
    }
    m_platform.log.line(QStringLiteral("ActivityMonitor: observing activity through ") + m_platform.input.methodName());
    recordActivity();
}

void ActivityMonitor::stopEventTap() { m_eventTap.reset(); }

// Input arrives up to a thousand times a second: queue one recordActivity() and let later
// input ride on it until it has run (it reads the clock when it runs).
void ActivityMonitor::onTapActivity()
{
    if (m_activityQueued)
        return;
    m_activityQueued = true;
    m_platform.mainLoop.post([self = QPointer(this)] {
        if (!self)
            return;
        self->m_activityQueued = false;
        self->recordActivity();
    });
}

void ActivityMonitor::startIdleCheckTimer()
{
    invalidate(m_idleCheckTimer);
    MainLoop &loop = m_platform.mainLoop;
    m_lastIdleCheckBoot.reset();
    m_idleCheckTimer = loop.scheduleRepeating(1.0, [self = QPointer(this), &loop] {
        loop.post([self] {
            if (self)
                self->checkIdle();
        });
    });
}

void ActivityMonitor::checkIdle()
{
    if (m_isPaused)
        return;
    // Re-read every tick, so a changed setting takes effect within a second.
    m_idleThresholdSeconds = m_settings.idleTimeout();
    if (noticeGap())
        return;
    const double boot = m_platform.mainLoop.bootSeconds();
    m_lastIdleCheckBoot = boot;
    const qint64 threshold = m_isBreakMode ? m_breakModeIdleThreshold : m_idleThresholdSeconds;
    if (boot - m_lastActivityBoot >= static_cast<double>(threshold))
        becomeAway(m_platform.mainLoop.now());
}

// No idle check ran for a while, yet the boot clock went on: the machine slept without notice
// or the program was stopped. The user was away from the last input before, whether the next
// check or the next input finds the gap.
bool ActivityMonitor::noticeGap()
{
    if (!m_lastIdleCheckBoot)
        return false;
    const double gap = m_platform.mainLoop.bootSeconds() - *m_lastIdleCheckBoot;
    if (gap < 1.0 + kClockJumpSeconds)
        return false;
    m_lastIdleCheckBoot = m_platform.mainLoop.bootSeconds();
    m_platform.log.line(QStringLiteral("ActivityMonitor: no idle check for %1 s (asleep or stopped)").arg(gap, 0, 'f', 0));
    becomeAway(m_lastActivityTime);
    return true;
}

// The moments kept move with the wall clock, so that the time since them stays what it was.
void ActivityMonitor::followWallClock(double step)
{
    m_platform.log.line(QStringLiteral("ActivityMonitor: the clock was set %1 s").arg(step, 0, 'f', 0));
    m_lastActivityTime = m_lastActivityTime.addSeconds(step);
    m_awaySince = m_awaySince.addSeconds(step);
}

void ActivityMonitor::becomeAway(Instant since)
{
    if (!m_isPresent)
        return;
    m_isPresent = false;
    m_awaySince = since;
    m_logger.logPresence(false);
    emit isPresentChanged(false);
}

// Asleep, locked or behind the screen saver nobody is at the desk, and input (a password typed
// into the lock screen) is not work. Afterwards only new input brings the user back.
void ActivityMonitor::onSessionInactiveChanged(bool inactive)
{
    m_platform.log.line(QStringLiteral("ActivityMonitor: sessionInactive=") + boolText(inactive));
    if (inactive)
        becomeAway(m_lastActivityTime);
}

void ActivityMonitor::recordActivity()
{
    if (m_platform.sessionEvents.isInactive())
        return;
    noticeGap();
    m_lastActivityTime = m_platform.mainLoop.now();
    m_lastActivityBoot = m_platform.mainLoop.bootSeconds();
    emit lastActivityTimeChanged(m_lastActivityTime);
    if (!m_isPresent) {
        m_isPresent = true;
        m_logger.logPresence(true);
        emit isPresentChanged(true);
    }
}

void ActivityMonitor::setBreakMode(bool on)
{
    m_isBreakMode = on;
    m_platform.log.line(QStringLiteral("ActivityMonitor: breakMode=") + boolText(on));
}
