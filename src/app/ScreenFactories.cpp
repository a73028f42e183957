#include "ScreenFactories.h"

#include "appstate/AppState.h"
#include "export/HistoryExport.h"
#include "platform/Desktop.h"
#include "platform/Platform.h"
#include "stats/StatsManager.h"
#include "ui/onboarding/OnboardingView.h"
#include "ui/settings/SettingsContent.h"
#include "ui/stats/StatsView.h"

namespace {

// "Export…" on the statistics screen: the whole history, in the format the chosen name asks for.
void exportHistory(const StatsManager &stats, Desktop &desktop)
{
    const auto path =
        desktop.askSaveFileName(QStringLiteral("Export History"), QStringLiteral("pelmix-history.csv"),
                                {QStringLiteral("CSV files (*.csv)"), QStringLiteral("JSON files (*.json)")});
    if (!path)
        return;
    QString error = HistoryExport::historyUnreadable();
    const auto sessions = stats.sessions();
    if (!sessions ||
        !HistoryExport::writeFile(*path, HistoryExport::sessions(*sessions, HistoryExport::formatForFileName(*path)),
                                  error))
        desktop.runModalAlert({QStringLiteral("The history was not exported"), error, {QStringLiteral("OK")}});
}

} // namespace

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
            QObject::connect(view, &StatsView::exportRequested, view,
                             [&appState, &platform] { exportHistory(appState.statsManager(), platform.desktop); });
            return view;
        },
        .settings = [&appState](QWidget *parent) -> QWidget * {
            return new SettingsContent(appState.settings(), appState, parent);
        },
        .onboarding = onboarding(false),
        .about = onboarding(true),
    };
}
