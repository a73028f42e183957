#include "ShownFocusBoard.h"
#include "support/FakeApp.h"
#include "ui/FilterTab.h"
#include "ui/FocusBoardContent.h"
#include "ui/SymbolButton.h"
#include "ui/TaskList.h"
#include "ui/TaskRow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

// The focus board over the real managers: adding tasks, the tabs, the status card, dragging.
class FocusBoardTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FakeApp> m_app;
    std::unique_ptr<FocusBoardContent> m_board;

    QStringList rowTitles() const
    {
        QStringList titles;
        for (TaskRow *row : m_board->taskList()->rows())
            titles << row->item().title;
        return titles;
    }

    void checkCountsMatchRows()
    {
        const bool done = m_board->showingDone();
        m_board->setShowingDone(false);
        QCOMPARE(m_board->activeTab()->count(), qint64(m_board->taskList()->rows().size()));
        m_board->setShowingDone(true);
        QCOMPARE(m_board->doneTab()->count(), qint64(m_board->taskList()->rows().size()));
        m_board->setShowingDone(done);
    }

private slots:
    void init()
    {
        m_app = std::make_unique<FakeApp>(onboarded);
        m_board = showFocusBoard(*m_app);
        QVERIFY(m_board);
    }

    void cleanup()
    {
        m_board.reset();
        m_app.reset();
    }

    void addingTrimsSpacesAndTabsAndIgnoresBlankTitles()
    {
        QLineEdit *field = m_board->newTaskField();
        QVERIFY(m_board->addButton()->isHidden());
        QTest::keyClicks(field, "   ");
        QVERIFY(!m_board->addButton()->isHidden());
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(m_app->todos.items().isEmpty());
        QCOMPARE(field->text(), "   ");

        field->setText("  \tWrite report \t");
        QTest::mouseClick(m_board->addButton(), Qt::LeftButton);
        QCOMPARE(m_app->titles(m_app->todos.items()), QStringList({"Write report"}));
        QCOMPARE(field->text(), "");
        QVERIFY(m_board->addButton()->isHidden());

        QTest::keyClicks(field, " Second ");
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(m_app->titles(m_app->todos.items()), QStringList({"Write report", "Second"}));
        QCOMPARE(rowTitles(), QStringList({"Write report", "Second"}));
    }

    void tabsCountTheirRowsAndShowEmptyStates()
    {
        QVERIFY(m_board->taskList()->isShowingEmptyState());
        QCOMPARE(m_board->taskList()->emptyStateText(), "Add your first task");
        QVERIFY(!m_board->activeTab()->showsBadge());
        checkCountsMatchRows();

        const QUuid a = m_app->addTask("A");
        m_app->addTask("B");
        m_app->addTask("C");
        QCOMPARE(m_board->activeTab()->count(), 3);
        QCOMPARE(m_board->doneTab()->count(), 0);
        QVERIFY(!m_board->taskList()->isShowingEmptyState());

        m_board->newTaskField()->setText("typed");
        QTest::mouseClick(m_board->doneTab(), Qt::LeftButton);
        QVERIFY(m_board->showingDone());
        QVERIFY(m_board->doneTab()->isSelected() && !m_board->activeTab()->isSelected());
        QVERIFY(m_board->taskList()->isShowingEmptyState());
        QCOMPARE(m_board->taskList()->emptyStateText(), "No completed tasks");
        QVERIFY(!m_board->newTaskField()->isVisible());

        m_app->todos.setStatus(a, TodoStatus::done);
        QCOMPARE(m_board->activeTab()->count(), 2);
        QCOMPARE(m_board->doneTab()->count(), 1);
        QCOMPARE(rowTitles(), QStringList({"A"}));
        checkCountsMatchRows();

        QTest::mouseClick(m_board->activeTab(), Qt::LeftButton);
        QVERIFY(m_board->newTaskField()->isVisible());
        QCOMPARE(m_board->newTaskField()->text(), "typed");
        QCOMPARE(rowTitles(), QStringList({"B", "C"}));
    }

    void statusCardShowsTheCurrentTaskAndTheSnoozeButton()
    {
        QCOMPARE(m_board->model().taskTitle, std::nullopt);
        const QUuid id = m_app->addTask("Write");
        m_app->todos.setStatus(id, TodoStatus::inProgress);
        QCOMPARE(m_board->model().taskTitle, QStringLiteral("Write"));
        m_app->todos.deleteTask(id);
        QCOMPARE(m_board->model().taskTitle, std::nullopt);

        m_app->startPresent();
        m_app->work(2);
        QCOMPARE(m_board->countdownLabel()->text(), "24:58");
        QCOMPARE(m_board->model().presenceText, "Active");
        QVERIFY(m_board->takeBreakButton()->isHidden());

        m_app->appState.workTimer().snooze(30);
        QCOMPARE(m_board->model().countdownLabel, "On a meet");
        QCOMPARE(m_board->countdownLabel()->text(), "30:00");
        QVERIFY(!m_board->takeBreakButton()->isHidden());
        QTest::mouseClick(m_board->takeBreakButton(), Qt::LeftButton);
        QCOMPARE(m_app->appState.workTimer().state(), TimerState::breakActive);
        QVERIFY(m_board->takeBreakButton()->isHidden());
        QCOMPARE(m_board->model().countdownLabel, "Break left");
    }

    void draggingARowMovesItWithOneCallToTheTaskManager()
    {
        for (const char *title : {"A", "B", "C", "D"})
            m_app->addTask(title);
        QCoreApplication::processEvents();
        const QList<TaskRow *> rows = m_board->taskList()->rows();
        QCOMPARE(rows.size(), 4);

        QSignalSpy changes(&m_app->todos, &TodoManager::itemsChanged);
        // From A's title, down past C's middle, dropped between C and D.
        QWidget *grip = rows[0]->titleLabel();
        const QPoint start = grip->rect().center();
        const auto toGrip = [&](TaskRow *row, int dy) {
            return grip->mapFromGlobal(row->mapToGlobal(QPoint(row->width() / 2, row->height() / 2 + dy)));
        };
        QTest::mousePress(grip, Qt::LeftButton, {}, start);
        QTest::mouseMove(grip, start + QPoint(0, 3));
        QTest::mouseMove(grip, toGrip(rows[1], 0));
        QTest::mouseMove(grip, toGrip(rows[2], 4));
        QTest::mouseRelease(grip, Qt::LeftButton, {}, toGrip(rows[2], 4));
        QCOMPARE(changes.count(), 1);
        QCOMPARE(m_app->titles(m_app->todos.items()), QStringList({"B", "C", "A", "D"}));
        QCOMPARE(rowTitles(), QStringList({"B", "C", "A", "D"}));

        // Dropped where it started: nothing moves, nothing is saved.
        grip = m_board->taskList()->rows()[1]->titleLabel();
        QTest::mousePress(grip, Qt::LeftButton, {}, grip->rect().center());
        QTest::mouseMove(grip, grip->rect().center() + QPoint(0, 6));
        QTest::mouseRelease(grip, Qt::LeftButton, {}, grip->rect().center() + QPoint(0, 6));
        QCOMPARE(changes.count(), 1);

        // The Done list cannot be reordered.
        m_app->todos.setStatus(m_app->todos.items()[0].id, TodoStatus::done);
        m_app->todos.setStatus(m_app->todos.items()[1].id, TodoStatus::done);
        m_board->setShowingDone(true);
        const QStringList done = rowTitles();
        changes.clear();
        grip = m_board->taskList()->rows()[0]->titleLabel();
        QTest::mousePress(grip, Qt::LeftButton, {}, grip->rect().center());
        QTest::mouseMove(grip, grip->rect().center() + QPoint(0, 60));
        QTest::mouseRelease(grip, Qt::LeftButton, {}, grip->rect().center() + QPoint(0, 60));
        QCOMPARE(changes.count(), 0);
        QCOMPARE(rowTitles(), done);
    }
};

QTEST_MAIN(FocusBoardTest)
#include "tst_focusboard.moc"
