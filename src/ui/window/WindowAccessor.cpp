#include "WindowAccessor.h"

#include "appstate/AppState.h"
#include "platform/Desktop.h"

WindowAccessor::WindowAccessor(AppState &appState, Desktop &desktop, QObject *parent)
    : QObject(parent),
      m_appState(appState),
      m_desktop(desktop)
{
    connect(&appState, &AppState::showMainWindowChanged, this, &WindowAccessor::followShowRequest);
    // A request made while no main view existed would otherwise stay set for good, and every
    // later request would find nothing to change. The window this view opens in is the answer.
    if (appState.showMainWindow())
        appState.setShowMainWindow(false);
}

void WindowAccessor::followShowRequest()
{
    if (!m_appState.showMainWindow())
        return;
    m_desktop.activateIgnoringOtherApps();
    m_appState.setShowMainWindow(false);
}
