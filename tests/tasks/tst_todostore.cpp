#include "support/FakeApp.h"
#include "support/TestFiles.h"

#include "tasks/TodoManager.h"

#include <QSignalSpy>
#include <QTest>

namespace {

QString todosPath(FakePlatform &fake) { return fake.locations.dataFile(QStringLiteral("todos.json")); }

// A task list whose first task is current and has earlier focus time, as after a restart.
struct Desk {
    Desk()
    {
        writeFile(todosPath(fake),
                  R"([{"id":"00000000-0000-0000-0000-00000000000A","title":"Write report","status":"in_progress",)"
                  R"("createdAt":1,"totalFocusSeconds":3600},)"
                  R"({"id":"00000000-0000-0000-0000-00000000000B","title":"Review","status":"todo",)"
                  R"("createdAt":2,"totalFocusSeconds":0},)"
                  R"({"id":"00000000-0000-0000-0000-00000000000C","title":"Inbox","status":"todo",)"
                  R"("createdAt":3,"totalFocusSeconds":10}])");
        todos = std::make_unique<TodoManager>(fake.platform());
    }

    TodoItem item(int index) const { return todos->items()[index]; }
    qint64 storedFocus(int index) const { return TodoManager(fake.platform()).items()[index].totalFocusSeconds; }
    void expectLog(const QStringList &lines) const { QCOMPARE(fake.log.lines, lines); }

    mutable FakePlatform fake;
    std::unique_ptr<TodoManager> todos;
};

} // namespace

// The task list, its file, and the focus time credited to the current task.
class TodoStoreTest : public QObject {
    Q_OBJECT

private slots:
    void addedTaskIsWrittenInKeyOrderWithoutCompletion();

    // Credited, the first task to do made current, and all of it back exactly after a reload.
    void markingTheCurrentTaskDoneMovesOnAndSurvivesAReload()
    {
        Desk desk;
        desk.todos->resumeTracking();
        desk.fake.mainLoop.advance(90.3);
        desk.todos->setStatus(desk.item(0).id, TodoStatus::done);
        QCOMPARE(desk.item(0).completedAt, desk.fake.mainLoop.now());
        desk.expectLog({"DEBUG: Saved 90s to task 'Write report', total: 3690s"});
        QCOMPARE(desk.item(1).status, TodoStatus::inProgress);
        QCOMPARE(desk.todos->currentTaskId(), desk.item(1).id);

        TodoManager reloaded(desk.fake.platform());
        QCOMPARE(reloaded.items(), desk.todos->items());
        QCOMPARE(reloaded.currentTaskId(), desk.item(1).id);
    }

    // Another task set in progress or done, or the current one deleted: the current one is credited first.
    void changesCreditTheCurrentTaskFirst_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<int>("next"); // index of the task current after it, -1 for none
        QTest::newRow("another in progress") << 0 << 1;
        // "Review" is done without having been current: "Inbox", the first task to do, takes over.
        QTest::newRow("another done") << 1 << 2;
        QTest::newRow("current deleted") << 2 << -1;
    }

    void changesCreditTheCurrentTaskFirst()
    {
        QFETCH(int, change);
        QFETCH(int, next);
        Desk desk;
        const QList<QUuid> ids{desk.item(0).id, desk.item(1).id, desk.item(2).id};
        desk.todos->resumeTracking();
        desk.fake.mainLoop.advance(100);
        desk.todos->pauseTracking();
        desk.todos->resumeTracking();
        desk.fake.mainLoop.advance(50.9);
        if (change == 2)
            desk.todos->deleteTask(ids[0]);
        else
            desk.todos->setStatus(ids[1], change == 0 ? TodoStatus::inProgress : TodoStatus::done);
        // Credited at the end of each stretch, and the rest at the change.
        desk.expectLog({"DEBUG: Saved 100s to task 'Write report', total: 3700s",
                        "DEBUG: Saved 50s to task 'Write report', total: 3750s"});
        QCOMPARE(desk.todos->currentTaskId(), next < 0 ? std::nullopt : std::optional(ids[next]));
        QCOMPARE(TodoManager(desk.fake.platform()).items().size(), change == 2 ? 2 : 3);
        if (change == 2)
            return;
        QCOMPARE(desk.storedFocus(0), 3750);
        QCOMPARE(desk.item(0).status, change == 0 ? TodoStatus::todo : TodoStatus::inProgress);

        // The next re-evaluation of tracking starts the new task's clock.
        desk.todos->resumeTracking();
        desk.fake.mainLoop.advance(60);
        QCOMPARE(desk.todos->currentSessionSeconds(), 60);
        QCOMPARE(desk.todos->displayedFocusSeconds(desk.item(next)), desk.item(next).totalFocusSeconds + 60);
        QCOMPARE(desk.todos->displayedFocusSeconds(desk.item(0)), 3750);
    }

    void awayTimeDoesNotCount()
    {
        Desk desk;
        desk.todos->resumeTracking();
        desk.fake.mainLoop.advance(180);
        QCOMPARE(desk.todos->displayedFocusSeconds(desk.item(0)), 3600 + 180);
        QCOMPARE(desk.todos->displayedFocusSeconds(desk.item(1)), 0);
        desk.todos->pauseTracking();
        desk.fake.mainLoop.advance(600);
        desk.todos->resumeTracking();
        desk.fake.mainLoop.advance(120);
        QCOMPARE(desk.todos->currentSessionSeconds(), 300);

        desk.todos->stopTracking();
        desk.expectLog({"DEBUG: Saved 180s to task 'Write report', total: 3780s",
                        "DEBUG: Saved 120s to task 'Write report', total: 3900s"});
        QCOMPARE(desk.storedFocus(0), 3900);
        QCOMPARE(desk.todos->currentTaskId(), std::nullopt);
    }

    // A total edited to the very limit stays there rather than turning negative.
    void aTotalAtTheLimitStaysThere()
    {
        FakePlatform fake;
        writeFile(fake.locations.dataFile("todos.json"),
                  R"([{"id":"00000000-0000-0000-0000-00000000000A","title":"Write","status":"in_progress",)"
                  R"("createdAt":1,"totalFocusSeconds":9223372036854775804}])");
        TodoManager todos(fake.platform());
        todos.resumeTracking();
        fake.mainLoop.advance(10);
        todos.stopTracking();
        QCOMPARE(TodoManager(fake.platform()).items().first().totalFocusSeconds, std::numeric_limits<qint64>::max());
    }

    // A crash loses at most the last five minutes: what the file holds without any stop.
    void focusReachesTheFileEveryFiveMinutes()
    {
        Desk desk;
        desk.todos->resumeTracking();
        desk.fake.mainLoop.advance(22 * 60);
        QCOMPARE(desk.storedFocus(0), 3600 + 20 * 60);
        QCOMPARE(desk.todos->displayedFocusSeconds(desk.item(0)), 3600 + 22 * 60);
    }

    void counterRefreshesEverySecondOnlyWhileRunning()
    {
        Desk desk;
        QSignalSpy refreshed(desk.todos.get(), &TodoManager::currentSessionSecondsChanged);
        QSignalSpy tracking(desk.todos.get(), &TodoManager::isTrackingChanged);
        desk.todos->pauseTracking();
        desk.fake.mainLoop.advance(0.5);
        desk.todos->resumeTracking();
        desk.todos->resumeTracking();
        QCOMPARE(desk.fake.mainLoop.activeTimerCount(), 1);
        desk.fake.mainLoop.advance(2.9);
        QCOMPARE(refreshed.count(), 2);
        QCOMPARE(desk.todos->currentSessionSeconds(), 2);
        desk.todos->pauseTracking();
        QCOMPARE(desk.fake.mainLoop.activeTimerCount(), 0);
        desk.fake.mainLoop.advance(10);
        QCOMPARE(refreshed.count(), 2);
        QCOMPARE(tracking.count(), 2);
    }

    void shortStretchesAndAClockSetBackCreditNothing()
    {
        Desk desk;
        for (int i = 0; i < 2; ++i) {
            desk.todos->resumeTracking();
            desk.fake.mainLoop.advance(0.9);
            desk.todos->pauseTracking();
        }
        QCOMPARE(desk.todos->accumulatedSeconds(), 0);
        desk.todos->resumeTracking();
        desk.fake.mainLoop.setNow(desk.fake.mainLoop.now().addSeconds(-100));
        desk.todos->stopTracking();
        desk.expectLog({});
        QCOMPARE(desk.storedFocus(0), 3600);
    }

    void moveActiveTasksKeepsDoneOnesLast()
    {
        Desk desk;
        desk.todos->addTask(QStringLiteral("Last"));
        desk.todos->setStatus(desk.item(1).id, TodoStatus::done);
        QCOMPARE(FakeApp::titles(desk.todos->activeItems()), (QStringList{"Write report", "Inbox", "Last"}));
        desk.todos->moveActiveTasks({0}, 2);
        QCOMPARE(FakeApp::titles(desk.todos->items()), (QStringList{"Inbox", "Write report", "Last", "Review"}));
        desk.todos->moveActiveTasks({2}, 0);
        QCOMPARE(FakeApp::titles(TodoManager(desk.fake.platform()).items()),
                 (QStringList{"Last", "Inbox", "Write report", "Review"}));
    }

    void doneItemsMostRecentFirst()
    {
        FakePlatform fake;
        writeFile(
            todosPath(fake),
            R"([{"id":"00000000-0000-0000-0000-000000000001","title":"Hand-edited","status":"done","createdAt":1,"totalFocusSeconds":0},)"
            R"({"id":"00000000-0000-0000-0000-000000000002","title":"Early","status":"done","createdAt":1,"completedAt":100,"totalFocusSeconds":0},)"
            R"({"id":"00000000-0000-0000-0000-000000000003","title":"Open","status":"todo","createdAt":1,"totalFocusSeconds":0},)"
            R"({"id":"00000000-0000-0000-0000-000000000004","title":"Late","status":"done","createdAt":1,"completedAt":300.5,"totalFocusSeconds":0}])");
        QCOMPARE(FakeApp::titles(TodoManager(fake.platform()).doneItems()),
                 (QStringList{"Late", "Early", "Hand-edited"}));
    }
};

// After the class: moc misreads the escaped quotes in this raw string.
void TodoStoreTest::addedTaskIsWrittenInKeyOrderWithoutCompletion()
{
    FakePlatform fake;
    fake.mainLoop.setNow(Instant::fromReferenceSeconds(795081600.5));
    TodoManager todos(fake.platform());
    todos.addTask(QStringLiteral("Write \"report\"\t"));
    const QByteArray id = todos.items().first().id.toString(QUuid::WithoutBraces).toUpper().toLatin1();
    QCOMPARE(readFile(todosPath(fake)),
             R"([{"id":")" + id +
                 R"(","title":"Write \"report\"\t","status":"todo","createdAt":795081600.5,"totalFocusSeconds":0}])");
}

QTEST_GUILESS_MAIN(TodoStoreTest)
#include "tst_todostore.moc"
