// The connections between the managers: every interaction between the activity monitor,
// the work timer, the notification manager, the task manager and the settings goes here.
#include "AppState.h"

#include "PublishedValue.h"
#include "activity/ActivityMonitor.h"
#include "hold/BreakHold.h"
#include "notifications/DataNoticeNotifier.h"
#include "notifications/NotificationManager.h"
#include "platform/Desktop.h"
#include "platform/HoldSources.h"
#include "platform/Platform.h"
#include "settings/UserSettings.h"
#include "stats/StatsManager.h"
#include "tasks/TodoManager.h"
#include "timer/WorkTimer.h"

#include <QPointer>

void AppState::installWiring()
{
    MainLoop &loop = m_platform.mainLoop;
    QPointer<AppState> self(this);

    m_notifications.onSnooze = [self, &loop] {
        loop.post([self] {
            if (self)
                self->m_workTimer->snooze(30);
        });
    };

    subscribeDroppingRepeats<bool>(loop, m_activityMonitor.get(), &ActivityMonitor::isPresentChanged,
                                   &ActivityMonitor::isPresent, this, [this](bool present) {
                                       const Instant awaySince = m_activityMonitor->awaySince();
                                       m_workTimer->updatePresence(present, awaySince);
                                       if (!present)
                                           m_todoManager.pauseTracking(awaySince);
                                       syncTaskTracking();
                                   });

    subscribeDroppingRepeats<TimerState>(loop, m_workTimer.get(), &WorkTimer::stateChanged, &WorkTimer::state, this,
                                         [this](TimerState state) {
                                             syncTaskTracking();
                                             m_activityMonitor->setBreakMode(state == TimerState::breakWaiting);
                                             m_platform.holdSources.setBreakDue(state != TimerState::working);
                                         });

    // A hold that starts with a break already due stops its repeats at once.
    connect(m_breakHold.get(), &BreakHold::heldChanged, this,
            [this] { m_workTimer->setRemindersHeld(m_breakHold->held()); });
    m_workTimer->setRemindersHeld(m_breakHold->held());

    subscribeDroppingRepeats<bool>(loop, m_workTimer.get(), &WorkTimer::trackingPausedChanged,
                                   &WorkTimer::trackingPaused, this,
                                   [this](bool paused) { setTrackingPaused(paused); });

    m_workTimer->onSessionStart = [self] {
        if (!self)
            return;
        self->setSelectedSection(AppSection::focus);
        self->setShowMainWindow(true);
        self->m_platform.desktop.activateIgnoringOtherApps();
    };

    auto *dataNotices = new DataNoticeNotifier(m_notifications, this);
    dataNotices->watch(m_statsManager.dataFile(), [this] { return m_statsManager.dataNotices(); });
    dataNotices->watch(m_todoManager.dataFile(), [this] { return m_todoManager.dataNotices(); });

    connect(&m_settings, &UserSettings::aboutToChange, this, [self, &loop] {
        loop.post([self] {
            if (self)
                self->scheduleSettingsSync();
        });
    });
}

void AppState::openFolder(const QString &folder) { m_platform.desktop.openUrl(QUrl::fromLocalFile(folder)); }

void AppState::setTrackingPaused(bool paused)
{
    ActivityMonitor &monitor = *m_activityMonitor;
    if (paused) {
        monitor.setPaused(true);
        monitor.invalidateIdleCheckTimer();
        monitor.stopEventTap();
        return;
    }
    monitor.setPaused(false);
    if (monitor.permissionGranted()) {
        monitor.startEventTap();
        monitor.startIdleCheckTimer();
    }
}

void AppState::syncTaskTracking()
{
    const bool present = m_activityMonitor->isPresent();
    if (present && m_workTimer->state() == TimerState::working && m_todoManager.currentTaskId()) {
        if (!m_todoManager.isTracking())
            m_todoManager.resumeTracking();
        return;
    }
    if (m_todoManager.isTracking())
        m_todoManager.pauseTracking();
}

void AppState::scheduleSettingsSync()
{
    invalidate(m_settingsSyncDebounceTask);
    m_settingsSyncDebounceTask = m_platform.mainLoop.scheduleDelayed(kSettingsSyncDelay, [this] {
        m_activityMonitor->setIdleThresholdSeconds(m_settings.idleTimeout());
        m_workTimer->applySettings();
        m_breakHold->applySettings();
    });
}
