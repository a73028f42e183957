#pragma once

#include "MenuBarPanelModel.h"
#include "appstate/AppSection.h"

#include <functional>

class AppState;
class Desktop;

// What the entries of the tray's panel and of its menu do; both call here.
class TrayActions {
public:
    struct Hooks {
        // Opens the main window when it is closed (it does not raise an open one).
        std::function<void()> ensureMainWindow;
        // Shows the about window.
        std::function<void()> showAbout;
    };

    TrayActions(AppState &appState, Desktop &desktop, Hooks hooks);

    // Asks the main window for `section` and brings the program forward. On Linux nothing
    // would reopen a closed main window, so this opens it first; the new window finds the
    // request waiting and honours it.
    void openSection(AppSection section);
    void takeBreakNow();
    void showAbout();
    // The normal termination path, which records open sessions on the way out.
    void quitPelmix();

    void perform(MenuBarPanelModel::Action action);

private:
    AppState &m_appState;
    Desktop &m_desktop;
    Hooks m_hooks;
};
