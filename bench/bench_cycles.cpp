// Memory over many work/break cycles, on virtual time: the whole application state with its
// tray item (and, with --window, the main window open on Focus), a user who works 25 minutes,
// steps away for the break, and comes back. Reports the heap in use (malloc's own count, so
// pages the allocator keeps do not blur it) after a warm-up and after the cycles, per cycle.
// The history keeps twelve bytes of each record in memory, 24 bytes a cycle; the records
// themselves stay in the file, but for the last two days'.
//
//   build/bin/bench_cycles [cycles] [--window]        (default 1000; QT_QPA_PLATFORM=offscreen)
#include "Stopwatch.h"
#include "app/ScreenFactories.h"
#include "support/FakeApp.h"
#include "ui/tray/TrayItem.h"
#include "ui/tray/panel/TrayActions.h"
#include "ui/window/MainWindow.h"

#include <QApplication>

#include <malloc.h>

#include <memory>

namespace {

size_t heapInUse()
{
    malloc_trim(0);
    return mallinfo2().uordblks;
}

// One work interval and its break: input every second through the interval, then none until
// the break is over, then a key press.
void cycle(FakeApp &app)
{
    app.work(25 * 60 + 2);
    for (int second = 0; second < 5 * 60 + 30; ++second)
        app.fake.mainLoop.advance(1);
    app.input();
    // What the fakes record for the tests is no part of the program's memory.
    app.fake.log.lines.clear();
    app.fake.notifications.requests.clear();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    const int cycles = arguments.size() > 1 && arguments[1].toInt() > 0 ? arguments[1].toInt() : 1000;
    const bool withWindow = arguments.contains(QStringLiteral("--window"));

    FakeApp app(onboarded);
    app.startPresent();
    TrayActions actions(app.appState, app.fake.desktop, {});
    TrayItem tray(app.appState, actions, app.fake.trayHost);
    std::unique_ptr<MainWindow> window;
    if (withWindow) {
        window = std::make_unique<MainWindow>(app.appState, app.fake.platform(),
                                              screenFactories(app.appState, app.fake.platform()));
        app.appState.setSelectedSection(AppSection::focus);
        window->show();
    }
    app.addCurrentTask(QStringLiteral("Write the report"));

    constexpr int kWarmUp = 20;
    for (int i = 0; i < kWarmUp; ++i)
        cycle(app);
    QCoreApplication::processEvents();
    const qsizetype sessionsBefore = app.stats.sessions().value().size();
    const size_t before = heapInUse();
    bench::Stopwatch watch;
    for (int i = 0; i < cycles; ++i) {
        cycle(app);
        QCoreApplication::processEvents();
    }
    const auto [wallMs, cpuMs] = watch.elapsed();
    const size_t after = heapInUse();
    const qsizetype sessions = app.stats.sessions().value().size() - sessionsBefore;

    std::printf("%d cycles after %d of warm-up%s: %lld sessions recorded, %.0f s of virtual time in %.0f ms\n", cycles,
                kWarmUp, withWindow ? ", main window open" : "", static_cast<long long>(sessions),
                cycles * (25 * 60 + 2 + 5 * 60 + 31.0), wallMs);
    std::printf("heap in use: %.1f kB -> %.1f kB, %+.0f bytes per cycle\n", before / 1024.0, after / 1024.0,
                (double(after) - double(before)) / cycles);
    (void)cpuMs;
    return 0;
}
