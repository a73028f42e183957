#include "ScreenFactories.h"

#include "appstate/AppState.h"
#include "platform/Desktop.h"
#include "platform/Platform.h"
#include "ui/onboarding/OnboardingView.h"
#include "ui/settings/SettingsContent.h"
#include "ui/stats/StatsView.h"

ViewFactories screenFactories(AppState &appState, Platform &platform)
{
    const auto onboarding = [&appState, &platform](bool isInfoMode) {
        return [&appState, &platform, isInfoMode](QWidget *parent) -> QWidget * {
            // Without a dismiss action the about panel's "Close" closes the window it sits in.
            return new OnboardingView({appState.settings(), appState, platform}, isInfoMode, {}, parent);
        };
    };
    return ViewFactories{
        .stats = [&appState, &platform](QWidget *parent) -> QWidget * {
            auto *view = new StatsView(appState.statsManager(), platform.mainLoop, parent);
            QObject::connect(view, &StatsView::openFolderRequested, view, [&platform](const QString &folder) {
                platform.desktop.openUrl(QUrl::fromLocalFile(folder));
            });
            return view;
        },
        .settings = [&appState](QWidget *parent) -> QWidget * {
            return new SettingsContent(appState.settings(), appState, parent);
        },
        .onboarding = onboarding(false),
        .about = onboarding(true),
    };
}
