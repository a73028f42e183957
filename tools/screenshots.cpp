// Renders the settings, statistics, onboarding and about screens on Qt's offscreen platform,
// over fake platform services and a generated week of history, into PNG files.

#include "support/FakeApp.h"
#include "ui/MenuBarLabel.h"
#include "ui/about/AboutWindow.h"
#include "ui/onboarding/OnboardingView.h"
#include "ui/screens/ScreenFactories.h"
#include "ui/settings/SettingsContent.h"
#include "ui/stats/StatsView.h"

#include <QApplication>
#include <QPainter>
#include <QDir>
#include <QRandomGenerator>
#include <QStyle>
#include <QStyleFactory>

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

Instant at(const QDate &day, int minutesIntoDay)
{
    return Instant::fromDateTime(day.startOfDay().addSecs(minutesIntoDay * 60));
}

// A plausible week: mornings and afternoons of 25-minute sessions with 5-minute breaks, the
// odd session cut short, and today's tasks named.
void generateWeek(StatsManager &stats, const QDate &today, const Instant &now)
{
    QRandomGenerator random(20260314);
    const QStringList tasks{"Write report", "Review pull requests", "Plan the sprint"};
    for (int offset = -6; offset <= 0; ++offset) {
        const QDate day = today.addDays(offset);
        const int sessions = offset == 0 ? 5 : static_cast<int>(random.bounded(4, 16));
        int minute = 8 * 60 + 30 + static_cast<int>(random.bounded(0, 60));
        for (int i = 0; i < sessions; ++i) {
            const bool completed = random.bounded(10) != 0 || offset == 0;
            const qint64 work = completed ? 1500 : 300 + random.bounded(900);
            const Instant start = at(day, minute);
            if (start.addSeconds(static_cast<double>(work)) > now)
                break;
            std::optional<QString> task;
            if (offset == 0)
                task = tasks[i % tasks.size()];
            stats.appendSession(Session::make(start, start.addSeconds(static_cast<double>(work)), work,
                                              SessionType::work, completed, task));
            minute += static_cast<int>(work / 60) + 1;
            const qint64 rest = (i + 1) % 4 == 0 ? 900 : 300;
            const Instant breakStart = at(day, minute);
            stats.appendSession(Session::make(breakStart, breakStart.addSeconds(static_cast<double>(rest)), rest,
                                              SessionType::breakSession, i != 2 || offset != 0));
            minute += static_cast<int>(rest / 60) + 2 + static_cast<int>(random.bounded(0, 20));
            if (i == 3)
                minute += 60; // lunch
        }
    }
}
} // namespace

// The tray icon at the sizes panels use (16, 22 and 24 px), for each state, on a light and a
// dark panel, each pixel drawn as a 4×4 square so that the digits can be judged.
bool saveTrayIcons(const QString &folder)
{
    constexpr int kZoom = 4, kGap = 8;
    const MenuBarLabelModel faces[] = {{QStringLiteral("circle.fill"), 24 * 60, {}},
                                       {QStringLiteral("exclamationmark.circle.fill"), 5 * 60, {}},
                                       {QStringLiteral("cup.and.saucer.fill"), 4 * 60, {}},
                                       {QStringLiteral("circle.fill"), 118 * 60, {}}};
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
                painter.drawImage(QRect(x, row * cell + kGap * kZoom + (24 - side) * kZoom / 2, side * kZoom,
                                        side * kZoom),
                                  icon);
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

int main(int argc, char *argv[])
{
    qputenv("TZ", "Europe/Berlin");
    tzset();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(QApplication::style()->standardPalette());
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    QApplication::setFont(font);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));

    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    QDir().mkpath(folder);

    const QDate today(2026, 3, 14);
    FakeApp app({}, Instant::fromDateTime(QDateTime(today, QTime(15, 40))));
    FakePlatform &fake = app.fake;
    fake.input.trusted = false;
    UserSettings &settings = app.settings;
    AppState &appState = app.appState;
    StatsManager &stats = app.stats;
    bool ok = true;

    SettingsContent settingsScreen(settings, appState);
    settingsScreen.resize(560, 700);
    ok &= save(settingsScreen, folder, QStringLiteral("settings.png"));

    generateWeek(stats, today, fake.mainLoop.now());
    StatsView statsScreen(stats, fake.mainLoop);
    statsScreen.resize(620, 900);
    ok &= save(statsScreen, folder, QStringLiteral("statistics.png"));

    const OnboardingView::Services services{settings, appState, fake.platform()};
    for (const auto &[step, name] : {std::pair{OnboardingStep::welcome, "onboarding-welcome.png"},
                                     std::pair{OnboardingStep::accessibility, "onboarding-activity.png"},
                                     std::pair{OnboardingStep::intervals, "onboarding-intervals.png"}}) {
        OnboardingView onboarding(services, false, {});
        onboarding.showStep(step);
        ok &= save(onboarding, folder, QString::fromLatin1(name));
    }

    ok &= saveTrayIcons(folder);

    AboutWindow about(screenFactories(appState, fake.platform()).about);
    ok &= save(about, folder, QStringLiteral("about.png"));
    return ok ? 0 : 1;
}
