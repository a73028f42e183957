// Renders the settings, statistics, onboarding and about screens on Qt's offscreen platform,
// over fake platform services and a generated week of history, into PNG files.

#include "app/ScreenFactories.h"
#include "support/FakeApp.h"
#include "support/SampleScreens.h"
#include "ui/about/AboutWindow.h"
#include "ui/onboarding/OnboardingView.h"
#include "ui/settings/SettingsContent.h"
#include "ui/stats/StatsView.h"
#include "ui/tray/MenuBarLabel.h"
#include "ui/tray/panel/MenuBarView.h"
#include "ui/tray/panel/TrayActions.h"
#include "ui/window/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QPainter>

#include <cstdio>
#include <ctime>

namespace {
bool save(QWidget &widget, const QString &folder, const QString &name)
{
    widget.show();
    QApplication::processEvents();
    const QString path = QDir(folder).filePath(name);
    const bool saved = widget.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

} // namespace

// The tray icon at the sizes panels use (16, 22 and 24 px), for each state, on a light and a
// dark panel, each pixel drawn as a 4×4 square so that the digits can be judged.
bool saveTrayIcons(const QString &folder)
{
    constexpr int kZoom = 4, kGap = 8;
    const MenuBarLabelModel faces[] = {{QStringLiteral("circle.fill"), 24 * 60, {}, {}},
                                       {QStringLiteral("exclamationmark.circle.fill"), 5 * 60, {}, {}},
                                       {QStringLiteral("cup.and.saucer.fill"), 4 * 60, {}, {}},
                                       {QStringLiteral("circle.fill"), 118 * 60, {}, {}}};
    const int sizes[] = {16, 22, 24};
    const int cell = (24 + kGap) * kZoom;
    QImage sheet(cell * 3 * std::size(faces) + kGap * kZoom, cell * 2 + kGap * kZoom, QImage::Format_RGB32);
    QPainter painter(&sheet);
    const std::pair<TrayHost::Look, QColor> panels[] = {{TrayHost::Look::light, QColor(0xf6, 0xf5, 0xf4)},
                                                        {TrayHost::Look::dark, QColor(0x24, 0x24, 0x26)}};
    for (int row = 0; row < 2; ++row) {
        const auto [look, background] = panels[row];
        painter.fillRect(0, row * cell, sheet.width(), cell + kGap * kZoom, background);
        int x = kGap * kZoom;
        for (const MenuBarLabelModel &face : faces) {
            for (const int side : sizes) {
                const QImage icon = MenuBarLabel::renderIcon(face, side, look);
                painter.drawImage(
                    QRect(x, row * cell + kGap * kZoom + (24 - side) * kZoom / 2, side * kZoom, side * kZoom), icon);
                x += cell;
            }
        }
    }
    painter.end();
    const QString path = QDir(folder).filePath(QStringLiteral("tray-icons.png"));
    const bool saved = sheet.save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

// Every screen under the application's current palette, named "<screen><suffix>.png".
bool saveScreens(const QString &folder, const QString &suffix)
{
    const QDate today(2026, 3, 14);
    FakeApp app({}, Instant::fromDateTime(QDateTime(today, QTime(15, 40))));
    FakePlatform &fake = app.fake;
    fake.input.trusted = false;
    const auto name = [&suffix](const char *screen) { return QString::fromLatin1(screen) + suffix + ".png"; };
    bool ok = true;

    SettingsContent settingsScreen(app.settings, app.appState);
    settingsScreen.resize(560, 700);
    ok &= save(settingsScreen, folder, name("settings"));

    SampleScreens::generateWeek(app.stats, today, fake.mainLoop.now());
    StatsView statsScreen(app.stats, fake.mainLoop);
    statsScreen.resize(620, 900);
    ok &= save(statsScreen, folder, name("statistics"));

    const OnboardingView::Services services{app.settings, app.appState, fake.platform()};
    for (const auto &[step, screen] : {std::pair{OnboardingStep::welcome, "onboarding-welcome"},
                                       std::pair{OnboardingStep::accessibility, "onboarding-activity"},
                                       std::pair{OnboardingStep::intervals, "onboarding-intervals"}}) {
        OnboardingView onboarding(services, false, {});
        onboarding.showStep(step);
        ok &= save(onboarding, folder, name(screen));
    }

    AboutWindow about(screenFactories(app.appState, fake.platform()).about);
    ok &= save(about, folder, name("about"));

    // The board and the panel in the light palette are taken from the real program by
    // scripts/screenshots.sh; here they are drawn for the other palettes.
    if (!suffix.isEmpty()) {
        fake.preferences->setValue("hasCompletedOnboarding", true);
        app.addCurrentTask(QStringLiteral("Write the quarterly report"));
        app.addTask(QStringLiteral("Review pull requests"));
        app.addTask(QStringLiteral("Plan next sprint"));
        app.startPresent();
        app.work(25);
        MainWindow window(app.appState, fake.platform(), screenFactories(app.appState, fake.platform()));
        window.resize(820, 560);
        ok &= save(window, folder, name("focus-board"));
        TrayActions actions(app.appState, fake.desktop, {});
        MenuBarView panel(app.appState, app.timer(), actions);
        panel.setAttribute(Qt::WA_DeleteOnClose, false);
        panel.popUp(QRect(500, 2, 1, 1), QRect(0, 0, 1024, 28));
        ok &= save(panel, folder, name("panel"));
    }
    return ok;
}

int main(int argc, char *argv[])
{
    qputenv("TZ", "Europe/Berlin");
    tzset();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    SampleScreens::setUpApplication();

    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    QDir().mkpath(folder);

    QApplication::setPalette(SampleScreens::lightPalette());
    bool ok = saveScreens(folder, {});
    ok &= saveTrayIcons(folder);
    QApplication::setPalette(SampleScreens::darkPalette());
    ok &= saveScreens(folder, QStringLiteral("-dark"));
    return ok ? 0 : 1;
}
