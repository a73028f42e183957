#pragma once

#include "ui/common/ViewFactories.h"

#include <QMainWindow>
#include <QPointer>

class AppState;
class MainAppView;
struct Platform;

// The main window: the first-run flow until onboarding is complete, the main view after that
// (switching in place when the flag changes). Closing it ends it; the program stays in the
// tray, and the tray and a second launch open a new one.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr QSize kDefaultSize{800, 600};
    static constexpr QSize kOnboardingSize{500, 450};

    MainWindow(AppState &appState, Platform &platform, ViewFactories factories, QWidget *parent = nullptr);

    // The main view, while onboarding is complete.
    MainAppView *mainView() const;

    // Shows the window if needed and raises it.
    void bringToFront();

signals:
    // The application menu's "About Pelmix".
    void aboutRequested();

private:
    void buildApplicationMenu();
    void chooseContent();
    void replaceContent(QWidget *content);
    void updateTitle();

    AppState &m_appState;
    Platform &m_platform;
    ViewFactories m_factories;
    QPointer<MainAppView> m_mainView;
    QPointer<QWidget> m_onboarding;
};
