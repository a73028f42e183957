#include "PelmixApp.h"

#include "app/AppDelegate.h"
#include "app/AppState.h"
#include "app/SingleInstance.h"
#include "app/TerminationSignals.h"
#include "platform/Platform.h"
#include "platform/linux/QtDesktop.h"
#include "ui/MainWindow.h"
#include "ui/SymbolGlyphs.h"
#include "ui/TrayActions.h"
#include "ui/TrayItem.h"
#include "ui/about/AboutWindow.h"

#include <QApplication>
#include <QTimer>

#include <cstdlib>
#include <utility>

namespace {

// Set while the event loop runs, for the exit below.
AppDelegate *g_running = nullptr;

// When the display connection breaks (the X server dies, the compositor goes), Qt ends the
// process with exit() from inside the event loop. What a normal quit records is recorded
// here, on the way out, from what is still in memory.
void recordOnDisplayLoss()
{
    if (AppDelegate *delegate = std::exchange(g_running, nullptr))
        delegate->applicationWillTerminate();
}

} // namespace

PelmixApp::PelmixApp(Platform &platform, QtDesktop &desktop, SingleInstance &instance)
    : m_platform(platform),
      m_appState(AppState::shared()),
      m_delegate(std::make_unique<AppDelegate>(platform, m_appState)),
      m_signals(new TerminationSignals(this))
{
    SymbolGlyphs::ensureFontLoaded();
    QApplication::setQuitOnLastWindowClosed(AppDelegate::applicationShouldTerminateAfterLastWindowClosed());

    m_trayActions = std::make_unique<TrayActions>(
        m_appState, platform.desktop,
        TrayActions::Hooks{[this] { ensureMainWindow(); }, [this] { showAboutWindow(); }});
    m_tray = new TrayItem(m_appState, *m_trayActions, platform.trayHost, QDBusConnection::sessionBus(), this);

    // Activation raises what is open; only the tray and a second launch reopen a closed window.
    desktop.setActivationHandler([this] {
        if (m_mainWindow)
            m_mainWindow->bringToFront();
    });
    connect(&instance, &SingleInstance::activationRequested, this, &PelmixApp::bringMainWindowToFront);
    connect(m_signals, &TerminationSignals::terminationRequested, qApp, &QCoreApplication::quit);
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
        g_running = nullptr;
        m_delegate->applicationWillTerminate();
    });
}

PelmixApp::~PelmixApp()
{
    delete m_mainWindow;
    delete m_aboutWindow;
}

int PelmixApp::run()
{
    ensureMainWindow().show();
    QTimer::singleShot(0, this, [this] { m_delegate->applicationDidFinishLaunching(); });
    static const bool registered = std::atexit(recordOnDisplayLoss) == 0;
    Q_UNUSED(registered);
    g_running = m_delegate.get();
    const int code = QApplication::exec();
    g_running = nullptr;
    return code;
}

MainWindow *PelmixApp::mainWindow() const { return m_mainWindow; }

MainWindow &PelmixApp::ensureMainWindow()
{
    if (!m_mainWindow) {
        m_mainWindow = new MainWindow(m_appState, m_platform, m_factories);
        connect(m_mainWindow, &MainWindow::aboutRequested, this, &PelmixApp::showAboutWindow);
        m_mainWindow->show();
    }
    return *m_mainWindow;
}

void PelmixApp::bringMainWindowToFront() { ensureMainWindow().bringToFront(); }

void PelmixApp::showAboutWindow()
{
    if (!m_aboutWindow) {
        m_aboutWindow = new AboutWindow(m_factories.about);
        m_aboutWindow->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_aboutWindow->bringToFront();
}
