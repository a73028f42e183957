#pragma once

#include "ui/common/ViewFactories.h"

#include <QObject>
#include <QPointer>

#include <memory>

class AboutWindow;
class AppDelegate;
class AppState;
class MainWindow;
class QtDesktop;
class SingleInstance;
class TerminationSignals;
class TrayActions;
class ProgramControl;
class TrayItem;
struct Platform;

// The application structure: builds the scenes (main window, about window, tray item),
// wires launch and termination to the delegate, and runs the event loop.
class PelmixApp : public QObject {
    Q_OBJECT
public:
    PelmixApp(Platform &platform, QtDesktop &desktop, SingleInstance &instance);
    ~PelmixApp() override;

    // The screens built outside the tray and the focus board; set before run().
    void setViewFactories(ViewFactories factories) { m_factories = std::move(factories); }

    int run();

    // The open main window, if any.
    MainWindow *mainWindow() const;
    // Opens the main window when it is closed (a new one honours a waiting section request).
    MainWindow &ensureMainWindow();
    // Opens it if needed and brings it to the front.
    void bringMainWindowToFront();
    void showAboutWindow();

private:
    Platform &m_platform;
    AppState &m_appState;
    std::unique_ptr<AppDelegate> m_delegate;
    ViewFactories m_factories;
    QPointer<MainWindow> m_mainWindow;
    QPointer<AboutWindow> m_aboutWindow;
    std::unique_ptr<TrayActions> m_trayActions;
    TrayItem *m_tray;
    ProgramControl *m_control;
    TerminationSignals *m_signals;
};
