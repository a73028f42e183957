#include "PelmixApp.h"

#include "app/AppDelegate.h"
#include "app/ProgramControl.h"
#include "app/SingleInstance.h"
#include "app/TerminationSignals.h"
#include "appstate/AppState.h"
#include "platform/Platform.h"
#include "platform/linux/control/DBusControl.h"
#include "platform/linux/system/QtDesktop.h"
#include "ui/about/AboutWindow.h"
#include "ui/common/symbols/SymbolGlyphs.h"
#include "ui/tray/TrayItem.h"
#include "ui/tray/panel/TrayActions.h"
#include "ui/window/MainWindow.h"

#include <QApplication>
#include <QSemaphore>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <utility>

namespace {

// Set while the event loop runs, for the exits below.
std::atomic<AppDelegate *> g_running = nullptr;
QtMessageHandler g_previousMessageHandler = nullptr;
// Held while recording: a second thread that meets the broken display waits for the first.
std::mutex g_recording;

// When the display connection breaks (the X server dies, the compositor goes), Qt ends the
// process from inside the event loop. What a normal quit records is recorded on the way out,
// from what is still in memory.
void recordOnDisplayLoss()
{
    const std::lock_guard lock(g_recording);
    if (AppDelegate *delegate = g_running.exchange(nullptr))
        delegate->applicationWillTerminate();
}

// On X11 Qt ends with exit(), which runs recordOnDisplayLoss() as an exit handler. On Wayland it
// ends with _exit(), which runs none, right after saying why: the recording happens at that
// word, on the main thread when it answers within a moment (Qt may be saying it on its own
// Wayland thread), else where Qt said it. Each of Qt's threads that meets the broken connection
// says so and ends the process: none returns before the recording is done.
void watchForDisplayLoss(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.startsWith(QLatin1String("The Wayland connection broke"))) {
        if (QThread::currentThread() != qApp->thread() && g_running) {
            auto done = std::make_shared<QSemaphore>();
            QMetaObject::invokeMethod(qApp, [done] {
                recordOnDisplayLoss();
                done->release();
            });
            done->tryAcquire(1, 3000);
        }
        recordOnDisplayLoss();
    }
    if (g_previousMessageHandler)
        g_previousMessageHandler(type, context, message);
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
    m_tray = new TrayItem(m_appState, *m_trayActions, platform.trayHost, this);
    // Status bars and scripts reach the program on the session bus, where there is one.
    m_control = new ProgramControl(m_appState, *m_trayActions, platform.mainLoop, this);
    if (QDBusConnection::sessionBus().isConnected())
        new DBusControl(*m_control, QDBusConnection::sessionBus(), this);

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
    static const QtMessageHandler previous = qInstallMessageHandler(watchForDisplayLoss);
    g_previousMessageHandler = previous;
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
