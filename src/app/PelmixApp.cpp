#include "PelmixApp.h"

#include "app/AppDelegate.h"
#include "app/AppState.h"
#include "app/SingleInstance.h"
#include "app/TerminationSignals.h"
#include "platform/linux/QtDesktop.h"
#include "ui/MainWindow.h"
#include "ui/TrayItem.h"

#include <QApplication>
#include <QTimer>

PelmixApp::PelmixApp(Platform &platform, QtDesktop &desktop, SingleInstance &instance)
    : m_platform(platform),
      m_appState(AppState::shared()),
      m_delegate(std::make_unique<AppDelegate>(platform, m_appState)),
      m_mainWindow(std::make_unique<MainWindow>()),
      m_tray(new TrayItem(this)),
      m_signals(new TerminationSignals(this))
{
    QApplication::setQuitOnLastWindowClosed(AppDelegate::applicationShouldTerminateAfterLastWindowClosed());
    desktop.setActivationHandler([this] { m_mainWindow->bringToFront(); });
    connect(&instance, &SingleInstance::activationRequested, this, [this] { m_mainWindow->bringToFront(); });
    connect(m_tray, &TrayItem::quitRequested, qApp, &QCoreApplication::quit);
    connect(m_signals, &TerminationSignals::terminationRequested, qApp, &QCoreApplication::quit);
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { m_delegate->applicationWillTerminate(); });
}

PelmixApp::~PelmixApp() = default;

int PelmixApp::run()
{
    m_mainWindow->show();
    QTimer::singleShot(0, this, [this] { m_delegate->applicationDidFinishLaunching(); });
    return QApplication::exec();
}
