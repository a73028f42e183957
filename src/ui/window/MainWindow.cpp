#include "MainWindow.h"

#include "MainAppView.h"
#include "appstate/AppState.h"
#include "settings/UserSettings.h"

#include <QApplication>
#include <QLabel>
#include <QMenuBar>

MainWindow::MainWindow(AppState &appState, Platform &platform, ViewFactories factories, QWidget *parent)
    : QMainWindow(parent),
      m_appState(appState),
      m_platform(platform),
      m_factories(std::move(factories))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Pelmix"));
    buildApplicationMenu();
    connect(&appState.settings(), &UserSettings::changed, this, &MainWindow::chooseContent);
    chooseContent();
}

void MainWindow::buildApplicationMenu()
{
    QMenu *application = menuBar()->addMenu(QStringLiteral("&Pelmix"));
    application->addAction(QStringLiteral("About Pelmix"), this, &MainWindow::aboutRequested);
    application->addSeparator();
    application->addAction(QStringLiteral("Quit Pelmix"), QKeySequence::Quit, qApp, &QCoreApplication::quit);
}

MainAppView *MainWindow::mainView() const { return m_mainView; }

void MainWindow::bringToFront()
{
    show();
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    raise();
    activateWindow();
}

void MainWindow::chooseContent()
{
    const bool onboarded = m_appState.settings().hasCompletedOnboarding();
    if (onboarded && !m_mainView) {
        m_mainView = new MainAppView(m_appState, m_platform, m_factories, this);
        connect(m_mainView, &MainAppView::selectedSectionChanged, this, &MainWindow::updateTitle);
        replaceContent(m_mainView);
        menuBar()->show();
        // The view's own minimum holds for the content; the menu bar comes on top of it.
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        resize(kDefaultSize);
        updateTitle();
    } else if (!onboarded && !m_onboarding) {
        QWidget *flow = m_factories.onboarding ? m_factories.onboarding(this) : nullptr;
        if (!flow) {
            auto *label = new QLabel(QStringLiteral("Welcome to Pelmix"), this);
            label->setAlignment(Qt::AlignCenter);
            flow = label;
        }
        m_onboarding = flow;
        replaceContent(flow);
        // The flow has a fixed frame of its own; the menu bar returns with the main view.
        menuBar()->hide();
        setFixedSize(kOnboardingSize);
        setWindowTitle(QStringLiteral("Pelmix"));
    }
}

// The old content may be the sender of the change that got us here (the onboarding's last
// button): it is deleted once control has returned to the event loop.
void MainWindow::replaceContent(QWidget *content)
{
    if (QWidget *old = takeCentralWidget()) {
        old->hide();
        old->deleteLater();
    }
    setCentralWidget(content);
}

void MainWindow::updateTitle()
{
    // The section's title, and the program's, for task switchers and window lists.
    setWindowTitle(m_mainView ? rawValue(m_mainView->selectedSection()) + QStringLiteral(" \u2014 Pelmix")
                              : QStringLiteral("Pelmix"));
}
