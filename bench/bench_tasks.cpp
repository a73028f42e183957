// Task lists at scale: todos.json with N tasks, half of them open and half done. Measures
// reading the list, the main window from nothing to its first painted Focus section, the
// switch to Done and back, and the resident memory at each step; then reading 100,000 tasks.
// Run (with a display, or QT_QPA_PLATFORM=offscreen): build/bin/bench_tasks [tasks] [runs]
#include "QuietPlatform.h"
#include "Stopwatch.h"
#include "app/ScreenFactories.h"
#include "appstate/AppState.h"
#include "notifications/NotificationManager.h"
#include "settings/UserSettings.h"
#include "stats/StatsManager.h"
#include "tasks/TodoCodec.h"
#include "tasks/TodoManager.h"
#include "ui/focus/FocusTaskCard.h"
#include "ui/focus/tasks/TaskListView.h"
#include "ui/window/MainWindow.h"

#include <QApplication>
#include <QFile>

using namespace bench;

namespace {

void writeTasks(const QString &path, int count, Instant now)
{
    QList<TodoItem> items;
    items.reserve(count);
    for (int i = 0; i < count; ++i) {
        TodoItem item = TodoItem::make(QStringLiteral("Task %1: follow up on the review of part %2").arg(i).arg(i % 97),
                                       now.addSeconds(-86400.0 * (count - i) / 50));
        if (i % 2 == 1) {
            item.status = TodoStatus::done;
            item.completedAt = item.createdAt.addSeconds(3600);
        }
        item.totalFocusSeconds = (i % 5) * 600;
        items.append(item);
    }
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(*TodoCodec::encode(items));
}

double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

// Runs the loop until the widget has painted once more.
class PaintWait : public QObject {
public:
    explicit PaintWait(QWidget &widget) : m_widget(widget) { widget.installEventFilter(this); }
    void wait()
    {
        m_painted = false;
        m_widget.update();
        while (!m_painted)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            m_painted = true;
        return false;
    }

private:
    QWidget &m_widget;
    bool m_painted = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const int count = argc > 1 ? std::max(2, QString::fromLocal8Bit(argv[1]).toInt()) : 20'000;
    const int runs = argc > 2 ? std::max(1, QString::fromLocal8Bit(argv[2]).toInt()) : 3;
    QuietPlatform quiet;
    Platform::setCurrent(&quiet.platform);
    quiet.preferences.setValue(QStringLiteral("hasCompletedOnboarding"), true);
    const QString path = quiet.locations.dataFile(QStringLiteral("todos.json"));
    std::printf("%d tasks (%d open, %d done), %d runs, platform %s\n", count, count - count / 2, count / 2, runs,
                qPrintable(QGuiApplication::platformName()));

    Series load{"read the list", 0, {}, {}};
    Series shown{"read to window painted", 300, {}, {}};
    Series toDone{"switch to Done", 50, {}, {}};
    Series toActive{"switch to Active", 50, {}, {}};
    std::vector<double> rssFocus, rssDone;
    for (int run = 0; run < runs; ++run) {
        writeTasks(path, count, quiet.mainLoop.now());
        Stopwatch watch;
        TodoManager todos(quiet.platform);
        load.add(watch);
        StatsManager stats(quiet.platform);
        UserSettings settings(quiet.platform);
        NotificationManager notifications(quiet.platform);
        AppState appState(quiet.platform, stats, todos, settings, notifications);
        MainWindow window(appState, quiet.platform, screenFactories(appState, quiet.platform));
        appState.setSelectedSection(AppSection::focus);
        window.resize(MainWindow::kDefaultSize);
        window.show();
        auto *list = window.findChild<TaskListView *>();
        PaintWait painted(*list->viewport());
        painted.wait();
        shown.add(watch);
        rssFocus.push_back(residentMegabytes());

        auto *card = window.findChild<FocusTaskCard *>();
        watch.restart();
        card->setShowingDone(true);
        painted.wait();
        toDone.add(watch);
        rssDone.push_back(residentMegabytes());
        watch.restart();
        card->setShowingDone(false);
        painted.wait();
        toActive.add(watch);
    }
    report(load);
    report(shown);
    report(toDone);
    report(toActive);
    std::printf("resident with the window on Focus: median %.1f MB, on Done: median %.1f MB (target 60 MB)\n",
                median(rssFocus), median(rssDone));

    Series loadMany{"read 100,000 tasks", 1000, {}, {}};
    for (int run = 0; run < runs; ++run) {
        writeTasks(path, 100'000, quiet.mainLoop.now());
        Stopwatch watch;
        TodoManager todos(quiet.platform);
        loadMany.add(watch);
    }
    report(loadMany);
    return 0;
}
