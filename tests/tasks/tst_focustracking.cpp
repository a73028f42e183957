#include "support/FakePlatform.h"

#include "tasks/TodoManager.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

namespace {

// A task list whose first task is current and has earlier focus time, as after a restart.
struct Desk {
    Desk()
    {
        QDir().mkpath(fake.locations.dataFolder());
        QFile file(fake.locations.dataFile(QStringLiteral("todos.json")));
        file.open(QIODevice::WriteOnly);
        file.write(R"([{"id":"00000000-0000-0000-0000-00000000000A","title":"Write report","status":"in_progress",)"
                   R"("createdAt":1,"totalFocusSeconds":3600},)"
                   R"({"id":"00000000-0000-0000-0000-00000000000B","title":"Review","status":"todo",)"
                   R"("createdAt":2,"totalFocusSeconds":0},)"
                   R"({"id":"00000000-0000-0000-0000-00000000000C","title":"Inbox","status":"todo",)"
                   R"("createdAt":3,"totalFocusSeconds":10}])");
        file.close();
        todos = std::make_unique<TodoManager>(fake.platform());
    }

    TodoItem item(int index) const { return todos->items()[index]; }
    qint64 storedFocus(int index) const { return TodoManager(fake.platform()).items()[index].totalFocusSeconds; }

    mutable FakePlatform fake;
    std::unique_ptr<TodoManager> todos;
};

} // namespace

class FocusTrackingTest : public QObject {
    Q_OBJECT

private slots:
    void awayTimeDoesNotCount()
    {
        Desk desk;
        desk.todos->resumeTracking();
        desk.fake.mainLoop.advance(180);
        QCOMPARE(desk.todos->currentSessionSeconds(), 180);
        QCOMPARE(desk.todos->displayedFocusSeconds(desk.item(0)), 3600 + 180);
        QCOMPARE(desk.todos->displayedFocusSeconds(desk.item(1)), 0);

        desk.todos->pauseTracking();
        desk.fake.mainLoop.advance(600);
        QCOMPARE(desk.todos->currentSessionSeconds(), 180);
        desk.todos->resumeTracking();
        desk.fake.mainLoop.advance(120);
        QCOMPARE(desk.todos->currentSessionSeconds(), 300);

        desk.todos->stopTracking();
        QCOMPARE(desk.fake.log.lines,
                 QStringList{QStringLiteral("DEBUG: Saved 300s to task 'Write report', total: 3900s")});
        QCOMPARE(desk.storedFocus(0), 3900);
        QCOMPARE(desk.todos->currentTaskId(), std::nullopt);
    }

    void counterRefreshesEverySecondOnlyWhileRunning()
    {
        Desk desk;
        QSignalSpy refreshed(desk.todos.get(), &TodoManager::currentSessionSecondsChanged);
        QSignalSpy tracking(desk.todos.get(), &TodoManager::isTrackingChanged);
        desk.todos->pauseTracking();
        QCOMPARE(tracking.count(), 0);
        desk.fake.mainLoop.advance(0.5);
        desk.todos->resumeTracking();
        desk.todos->resumeTracking();
        QCOMPARE(desk.fake.mainLoop.activeTimerCount(), 1);
        desk.fake.mainLoop.advance(2.9);
        QCOMPARE(refreshed.count(), 2);
        QCOMPARE(desk.todos->currentSessionSeconds(), 2);
        desk.todos->pauseTracking();
        QCOMPARE(desk.todos->accumulatedSeconds(), 2);
        QCOMPARE(desk.fake.mainLoop.activeTimerCount(), 0);
        desk.fake.mainLoop.advance(10);
        QCOMPARE(refreshed.count(), 2);
        QCOMPARE(tracking.count(), 2);
    }

    void shortStretchesAreTruncated()
    {
        Desk desk;
        for (int i = 0; i < 2; ++i) {
            desk.todos->resumeTracking();
            desk.fake.mainLoop.advance(0.9);
            desk.todos->pauseTracking();
        }
        QCOMPARE(desk.todos->accumulatedSeconds(), 0);
        desk.todos->stopTracking();
        QVERIFY(desk.fake.log.lines.isEmpty());
        QCOMPARE(desk.storedFocus(0), 3600);
    }

    void deletingCurrentTaskCreditsItFirst()
    {
        Desk desk;
        desk.todos->resumeTracking();
        desk.fake.mainLoop.advance(30);
        desk.todos->deleteTask(desk.item(0).id);
        QCOMPARE(desk.fake.log.lines,
                 QStringList{QStringLiteral("DEBUG: Saved 30s to task 'Write report', total: 3630s")});
        QCOMPARE(desk.todos->currentTaskId(), std::nullopt);
        QCOMPARE(TodoManager(desk.fake.platform()).items().size(), 2);
    }

    void markingAnotherTaskDoneCreditsTheCurrentOne()
    {
        Desk desk;
        desk.todos->resumeTracking();
        desk.fake.mainLoop.advance(100);
        desk.todos->pauseTracking();
        desk.todos->resumeTracking();
        desk.fake.mainLoop.advance(50);

        // "Review" is done without having been current: "Inbox", the first task to do, takes over.
        desk.todos->setStatus(desk.item(1).id, TodoStatus::done);
        QCOMPARE(desk.fake.log.lines,
                 QStringList{QStringLiteral("DEBUG: Saved 150s to task 'Write report', total: 3750s")});
        QCOMPARE(desk.storedFocus(0), 3750);
        QCOMPARE(desk.item(0).status, TodoStatus::inProgress);
        QCOMPARE(desk.item(2).status, TodoStatus::inProgress);
        QCOMPARE(desk.todos->currentTaskId(), desk.item(2).id);
        QVERIFY(!desk.todos->isTracking());

        // The next re-evaluation of tracking starts the new task's clock.
        desk.todos->resumeTracking();
        desk.fake.mainLoop.advance(60);
        QCOMPARE(desk.todos->currentSessionSeconds(), 60);
        QCOMPARE(desk.todos->displayedFocusSeconds(desk.item(2)), 70);
        QCOMPARE(desk.todos->displayedFocusSeconds(desk.item(0)), 3750);
    }

    void clockSetBackCreditsNothing()
    {
        Desk desk;
        desk.todos->resumeTracking();
        desk.fake.mainLoop.setNow(desk.fake.mainLoop.now().addSeconds(-100));
        desk.todos->stopTracking();
        QVERIFY(desk.fake.log.lines.isEmpty());
        QCOMPARE(desk.storedFocus(0), 3600);
    }
};

QTEST_GUILESS_MAIN(FocusTrackingTest)
#include "tst_focustracking.moc"
