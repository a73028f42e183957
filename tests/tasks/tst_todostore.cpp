#include "support/FakePlatform.h"
#include "support/TestFiles.h"

#include "tasks/TodoManager.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {

QString todosPath(FakePlatform &fake) { return fake.locations.dataFile(QStringLiteral("todos.json")); }

QStringList titles(const QList<TodoItem> &items)
{
    QStringList result;
    for (const TodoItem &item : items)
        result.append(item.title);
    return result;
}

// A task list with the given titles, all to do, added one second apart.
struct Board {
    explicit Board(const QStringList &names) : todos(fake.platform())
    {
        for (const QString &name : names) {
            todos.addTask(name);
            fake.mainLoop.advance(1);
        }
    }
    TodoItem item(const QString &name) const
    {
        for (const TodoItem &item : todos.items()) {
            if (item.title == name)
                return item;
        }
        return {};
    }
    QUuid id(const QString &name) const { return item(name).id; }
    void set(const QString &name, TodoStatus status) { todos.setStatus(id(name), status); }

    FakePlatform fake;
    TodoManager todos;
};

} // namespace

class TodoStoreTest : public QObject {
    Q_OBJECT

private slots:
    void addedTaskIsWrittenInKeyOrderWithoutCompletion();
    void roundTripKeepsCompletionAndFocusTime();
    void unreadableFileIsKeptAsideAndListStartsEmpty_data();
    void unreadableFileIsKeptAsideAndListStartsEmpty();
    void markingCurrentTaskDoneMakesFirstTodoCurrent();
    void settingAnotherTaskInProgressCreditsThePrevious();
    void moveActiveTasks();
    void doneItemsMostRecentFirst();
};

void TodoStoreTest::addedTaskIsWrittenInKeyOrderWithoutCompletion()
{
    FakePlatform fake;
    fake.mainLoop.setNow(Instant::fromReferenceSeconds(795081600.5));
    TodoManager todos(fake.platform());
    QVERIFY(!QFileInfo::exists(todosPath(fake)));
    todos.addTask(QStringLiteral("Write \"report\"\t"));
    const TodoItem item = todos.items().first();
    QCOMPARE(readFile(todosPath(fake)),
             QByteArray(R"([{"id":")") + item.id.toString(QUuid::WithoutBraces).toUpper().toLatin1() +
                 R"(","title":"Write \"report\"\t","status":"todo","createdAt":795081600.5,"totalFocusSeconds":0}])");
}

void TodoStoreTest::roundTripKeepsCompletionAndFocusTime()
{
    Board board({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    board.fake.mainLoop.setNow(Instant::fromReferenceSeconds(795081600.1 + 0.2));
    board.set(QStringLiteral("B"), TodoStatus::done);
    board.set(QStringLiteral("C"), TodoStatus::inProgress);
    QCOMPARE(board.item(QStringLiteral("B")).completedAt, Instant::fromReferenceSeconds(795081600.1 + 0.2));

    TodoManager reloaded(board.fake.platform());
    QCOMPARE(reloaded.items(), board.todos.items());
    QCOMPARE(reloaded.currentTaskId(), board.id(QStringLiteral("C")));
}

void TodoStoreTest::unreadableFileIsKeptAsideAndListStartsEmpty_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = R"({"id":"0F8FAD5B-D9CB-469F-A165-70867728950E","title":"A","status":"in_progress",)"
                            R"("createdAt":5,"totalFocusSeconds":42})";
    auto replaced = [&good](const char *from, const char *to) {
        return "[" + good + "," + QByteArray(good).replace(from, to) + "]";
    };
    QTest::newRow("status unknown") << replaced("\"in_progress\"", "\"inProgress\"");
}

void TodoStoreTest::unreadableFileIsKeptAsideAndListStartsEmpty()
{
    QFETCH(QByteArray, bytes);
    FakePlatform fake;
    fake.mainLoop.setNow(Instant::fromDateTime(QDateTime(QDate(2026, 12, 6), QTime(9, 15), Qt::LocalTime)));
    writeFile(todosPath(fake), bytes);
    TodoManager todos(fake.platform());
    QVERIFY(todos.items().isEmpty());
    QCOMPARE(todos.currentTaskId(), std::nullopt);
    QCOMPARE(fake.log.lines, QStringList{QStringLiteral("TodoManager: todos.json could not be read; kept it as "
                                                        "todos.json.unreadable-20261206-091500 and started with an "
                                                        "empty list")});
    todos.addTask(QStringLiteral("B"));
    QCOMPARE(readFile(todosPath(fake) + QStringLiteral(".unreadable-20261206-091500")), bytes);
}

void TodoStoreTest::markingCurrentTaskDoneMakesFirstTodoCurrent()
{
    Board board({QStringLiteral("Write report"), QStringLiteral("A"), QStringLiteral("B")});
    board.set(QStringLiteral("Write report"), TodoStatus::inProgress);
    board.todos.resumeTracking();
    board.fake.mainLoop.advance(90);
    board.set(QStringLiteral("Write report"), TodoStatus::done);

    QCOMPARE(board.item(QStringLiteral("Write report")).completedAt, board.fake.mainLoop.now());
    QCOMPARE(board.item(QStringLiteral("Write report")).totalFocusSeconds, 90);
    QCOMPARE(board.fake.log.lines, QStringList{QStringLiteral("DEBUG: Saved 90s to task 'Write report', total: 90s")});
    QCOMPARE(board.item(QStringLiteral("A")).status, TodoStatus::inProgress);
    QCOMPARE(board.item(QStringLiteral("B")).status, TodoStatus::todo);
    QCOMPARE(board.todos.currentTaskId(), board.id(QStringLiteral("A")));
}

void TodoStoreTest::settingAnotherTaskInProgressCreditsThePrevious()
{
    Board board({QStringLiteral("A"), QStringLiteral("B")});
    board.set(QStringLiteral("A"), TodoStatus::inProgress);
    board.todos.resumeTracking();
    board.fake.mainLoop.advance(61.9);
    board.set(QStringLiteral("B"), TodoStatus::inProgress);

    QCOMPARE(board.fake.log.lines, QStringList{QStringLiteral("DEBUG: Saved 61s to task 'A', total: 61s")});
    QCOMPARE(board.item(QStringLiteral("A")).status, TodoStatus::todo);
    QCOMPARE(board.item(QStringLiteral("B")).status, TodoStatus::inProgress);
    QCOMPARE(board.todos.currentTaskId(), board.id(QStringLiteral("B")));
}

void TodoStoreTest::moveActiveTasks()
{
    Board board({QStringLiteral("A"), QStringLiteral("Done"), QStringLiteral("B"), QStringLiteral("C")});
    board.set(QStringLiteral("Done"), TodoStatus::done);
    board.set(QStringLiteral("A"), TodoStatus::todo);
    QCOMPARE(titles(board.todos.activeItems()), (QStringList{"A", "B", "C"}));

    board.todos.moveActiveTasks({0}, 2);
    QCOMPARE(titles(board.todos.items()), (QStringList{"B", "A", "C", "Done"}));
    board.todos.moveActiveTasks({2}, 0);
    QCOMPARE(titles(board.todos.items()), (QStringList{"C", "B", "A", "Done"}));
    QCOMPARE(titles(TodoManager(board.fake.platform()).items()), (QStringList{"C", "B", "A", "Done"}));
}

void TodoStoreTest::doneItemsMostRecentFirst()
{
    FakePlatform fake;
    writeFile(
        todosPath(fake),
        R"([{"id":"00000000-0000-0000-0000-000000000001","title":"Hand-edited","status":"done","createdAt":1,"totalFocusSeconds":0},)"
        R"({"id":"00000000-0000-0000-0000-000000000002","title":"Early","status":"done","createdAt":1,"completedAt":100,"totalFocusSeconds":0},)"
        R"({"id":"00000000-0000-0000-0000-000000000003","title":"Open","status":"todo","createdAt":1,"totalFocusSeconds":0},)"
        R"({"id":"00000000-0000-0000-0000-000000000004","title":"Late","status":"done","createdAt":1,"completedAt":300.5,"totalFocusSeconds":0}])");
    TodoManager todos(fake.platform());
    QCOMPARE(titles(todos.doneItems()), (QStringList{"Late", "Early", "Hand-edited"}));
}

QTEST_GUILESS_MAIN(TodoStoreTest)
#include "tst_todostore.moc"
