#include "AppDelegate.h"

#include "appstate/AppState.h"
#include "platform/Logger.h"
#include "platform/Platform.h"
#include "tasks/TodoManager.h"
#include "timer/WorkTimer.h"

AppDelegate::AppDelegate(Platform &platform, AppState &appState) : m_platform(platform), m_appState(appState) {}

void AppDelegate::applicationDidFinishLaunching()
{
    m_platform.log.line(QStringLiteral("AppDelegate: applicationDidFinishLaunching"));
    m_appState.start();
}

void AppDelegate::applicationWillTerminate()
{
    m_appState.workTimer().recordOpenSessions();
    m_appState.todoManager().stopTracking();
}
