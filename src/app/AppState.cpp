#include "AppState.h"

#include "activity/ActivityMonitor.h"
#include "notifications/NotificationManager.h"
#include "platform/Logger.h"
#include "platform/Platform.h"
#include "settings/UserSettings.h"
#include "stats/StatsManager.h"
#include "tasks/TodoManager.h"

AppState::AppState(Platform &platform, StatsManager &statsManager, TodoManager &todoManager, UserSettings &settings,
                   QObject *parent)
    : QObject(parent),
      m_platform(platform),
      m_activityMonitor(std::make_unique<ActivityMonitor>(platform, settings)),
      m_statsManager(statsManager),
      m_todoManager(todoManager),
      m_settings(settings)
{
    // The wiring between the managers is installed here, before the idle threshold is set.

    m_activityMonitor->setIdleThresholdSeconds(m_settings.idleTimeout());
}

AppState::~AppState() = default;

AppState &AppState::shared()
{
    static AppState *instance = [] {
        // One after the other: the order in which arguments are evaluated is unspecified.
        StatsManager &statsManager = StatsManager::shared();
        TodoManager &todoManager = TodoManager::shared();
        UserSettings &settings = UserSettings::shared();
        return new AppState(Platform::current(), statsManager, todoManager, settings);
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
    NotificationManager::requestNotificationPermission(m_platform);
    // Here: the work timer takes over the interval lengths (workTimer.applySettings()).
    m_activityMonitor->setIdleThresholdSeconds(m_settings.idleTimeout());
}
