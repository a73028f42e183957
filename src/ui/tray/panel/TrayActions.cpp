#include "TrayActions.h"

#include "appstate/AppState.h"
#include "hold/BreakHold.h"
#include "platform/Desktop.h"
#include "timer/WorkTimer.h"

TrayActions::TrayActions(AppState &appState, Desktop &desktop, Hooks hooks)
    : m_appState(appState),
      m_desktop(desktop),
      m_hooks(std::move(hooks))
{}

void TrayActions::openSection(AppSection section)
{
    m_appState.setSelectedSection(section);
    if (m_hooks.ensureMainWindow)
        m_hooks.ensureMainWindow();
    m_appState.setShowMainWindow(true);
    m_desktop.activateIgnoringOtherApps();
}

void TrayActions::takeBreakNow() { m_appState.workTimer().takeBreakFromSnooze(); }

void TrayActions::showAbout()
{
    if (m_hooks.showAbout)
        m_hooks.showAbout();
}

void TrayActions::quitPelmix() { m_desktop.terminate(); }

void TrayActions::perform(MenuBarPanelModel::Action action)
{
    using Action = MenuBarPanelModel::Action;
    if (const auto section = MenuBarPanelModel::sectionFor(action)) {
        openSection(*section);
        return;
    }
    switch (action) {
    case Action::takeBreakNow:
        takeBreakNow();
        break;
    case Action::remindAnyway:
        m_appState.breakHold().remindAnyway();
        break;
    case Action::about:
        showAbout();
        break;
    case Action::quit:
        quitPelmix();
        break;
    default:
        break;
    }
}
