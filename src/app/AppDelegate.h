#pragma once

class AppState;
struct Platform;

// Reacts to the application's launch and termination.
class AppDelegate {
public:
    AppDelegate(Platform &platform, AppState &appState);

    void applicationDidFinishLaunching();
    // Runs on every normal end: Quit, and the termination signals.
    void applicationWillTerminate();
    // Closing the main window leaves the program running in the tray.
    static constexpr bool applicationShouldTerminateAfterLastWindowClosed() { return false; }

private:
    Platform &m_platform;
    AppState &m_appState;
};
