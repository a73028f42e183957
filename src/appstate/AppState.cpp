#include "AppState.h"

#include "activity/ActivityMonitor.h"
#include "hold/BreakHold.h"
#include "notifications/NotificationManager.h"
#include "platform/Logger.h"
#include "platform/Platform.h"
#include "settings/UserSettings.h"
#include "stats/StatsManager.h"
#include "tasks/TodoManager.h"
#include "timer/WorkTimer.h"

AppState::AppState(Platform &platform, StatsManager &stats, TodoManager &todos, UserSettings &settings,
                   NotificationManager &notifications, QObject *parent)
    : QObject(parent),
      m_platform(platform),
      m_activityMonitor(std::make_unique<ActivityMonitor>(platform, settings)),
      m_workTimer(std::make_unique<WorkTimer>(platform, settings, stats, todos, notifications)),
      m_breakHold(std::make_unique<BreakHold>(platform, settings)),
      m_statsManager(stats),
      m_todoManager(todos),
      m_settings(settings),
      m_notifications(notifications)
{
    installWiring();
    m_activityMonitor->setIdleThresholdSeconds(m_settings.idleTimeout());
}

AppState::~AppState() = default;

AppState &AppState::shared()
{
    static AppState *instance = [] {
        Platform &platform = Platform::current();
        // The monitor's settings come first, then the stores, in the order the state takes them.
        UserSettings &settings = UserSettings::shared();
        StatsManager &stats = StatsManager::shared();
        TodoManager &todos = TodoManager::shared();
        return new AppState(platform, stats, todos, settings, NotificationManager::shared());
    }();
    return *instance;
}

void AppState::setShowMainWindow(bool show)
{
    m_showMainWindow = show;
    emit showMainWindowChanged();
}

void AppState::setShowSettings(bool show)
{
    m_showSettings = show;
    emit showSettingsChanged();
}

void AppState::setShowTodoBoard(bool show)
{
    m_showTodoBoard = show;
    emit showTodoBoardChanged();
}

void AppState::setSelectedSection(std::optional<AppSection> section)
{
    m_selectedSection = section;
    emit selectedSectionChanged();
}

void AppState::start()
{
    m_platform.log.line(QStringLiteral("AppState: start() called"));
    m_activityMonitor->requestPermission();
    m_notifications.requestNotificationPermission();
    m_workTimer->applySettings();
    m_activityMonitor->setIdleThresholdSeconds(m_settings.idleTimeout());
}
