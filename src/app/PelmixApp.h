#pragma once

#include <QObject>

#include <memory>

class AppDelegate;
class AppState;
class MainWindow;
class QtDesktop;
class SingleInstance;
class TerminationSignals;
class TrayItem;
struct Platform;

// The application structure: builds the scenes (main window, tray item), wires launch and
// termination to the delegate, and runs the event loop.
class PelmixApp : public QObject {
    Q_OBJECT
public:
    PelmixApp(Platform &platform, QtDesktop &desktop, SingleInstance &instance);
    ~PelmixApp() override;

    int run();

private:
    Platform &m_platform;
    AppState &m_appState;
    std::unique_ptr<AppDelegate> m_delegate;
    std::unique_ptr<MainWindow> m_mainWindow;
    TrayItem *m_tray;
    TerminationSignals *m_signals;
};
