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

// The focus board and its task rows over the real managers, shown at the main view's size.
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

    TaskRow *row(const QString &title) const
    {
        const qsizetype at = rowTitles().indexOf(title);
        return at < 0 ? nullptr : m_board->taskList()->rows()[at];
    }

private slots:
    void init()
    {
        m_board.reset();
        m_app = std::make_unique<FakeApp>(onboarded);
        m_board = std::make_unique<FocusBoardContent>(m_app->todos, m_app->appState, m_app->appState.workTimer(),
                                                      m_app->appState.activityMonitor(), m_app->settings,
                                                      m_app->fake.mainLoop);
        m_board->resize(700, 600);
        m_board->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_board.get()));
    }

    void addingTrimsSpacesAndTabsAndIgnoresBlankTitles()
    {
        QLineEdit *field = m_board->newTaskField();
        QTest::keyClicks(field, "   ");
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(m_app->todos.items().isEmpty());

        field->setText("  \tWrite report \t");
        QTest::mouseClick(m_board->addButton(), Qt::LeftButton);
        QCOMPARE(m_app->titles(m_app->todos.items()), QStringList({"Write report"}));
        QCOMPARE(field->text(), "");
        QCOMPARE(rowTitles(), QStringList({"Write report"}));
    }

    void tabsCountTheirRowsAndShowEmptyStates()
    {
        QVERIFY(m_board->taskList()->isShowingEmptyState());
        const QUuid a = m_app->addTask("A");
        m_app->addTask("B");
        QCOMPARE(m_board->activeTab()->count(), 2);
        QVERIFY(!m_board->taskList()->isShowingEmptyState());

        QTest::mouseClick(m_board->doneTab(), Qt::LeftButton);
        QVERIFY(m_board->showingDone());
        QVERIFY(!m_board->newTaskField()->isVisible());

        m_app->todos.setStatus(a, TodoStatus::done);
        QCOMPARE(m_board->activeTab()->count(), 1);
        QCOMPARE(m_board->doneTab()->count(), 1);
        QCOMPARE(rowTitles(), QStringList({"A"}));
    }

    void draggingARowMovesItWithOneCallToTheTaskManager()
    {
        for (const char *title : {"A", "B", "C", "D"})
            m_app->addTask(title);
        QCoreApplication::processEvents();
        const QList<TaskRow *> rows = m_board->taskList()->rows();
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
    }

    void statusMarkCyclesTodoInProgressDoneAndBack()
    {
        const QUuid id = m_app->addTask("Write report");
        m_app->addTask("Next");
        m_app->startPresent();
        QTest::mouseClick(row("Write report")->statusMark(), Qt::LeftButton);
        QCOMPARE(m_app->item(id).status, TodoStatus::inProgress);
        QVERIFY(!row("Write report")->activeBadge()->isHidden());
        // The row asked the state to follow: present, working, a current task, so the clock runs.
        QVERIFY(m_app->todos.isTracking());

        QTest::mouseClick(row("Write report")->statusMark(), Qt::LeftButton);
        QCOMPARE(m_app->item(id).status, TodoStatus::done);
        QVERIFY(!row("Write report")); // it moved to the Done tab
        m_board->setShowingDone(true);
        QCOMPARE(row("Write report")->completionLabel()->text(), "just now");
        QTest::mouseClick(row("Write report")->statusMark(), Qt::LeftButton);
        QCOMPARE(m_app->item(id).status, TodoStatus::todo);
        QVERIFY(!m_app->item(id).completedAt);
    }

    void renameCommitsTrimmedNewTitlesAndEscapeDiscards()
    {
        const QUuid id = m_app->addTask("Draft");
        QTest::mouseDClick(row("Draft")->titleLabel(), Qt::LeftButton);
        QVERIFY(row("Draft")->isEditing());
        row("Draft")->renameField()->clear();
        QTest::keyClicks(row("Draft")->renameField(), "  Final\t");
        QTest::keyClick(row("Draft")->renameField(), Qt::Key_Return);
        QCOMPARE(m_app->item(id).title, "Final");
        QVERIFY(!row("Final")->isEditing());

        row("Final")->startRenaming();
        row("Final")->renameField()->setText("Something else");
        QTest::keyClick(row("Final")->renameField(), Qt::Key_Escape);
        QVERIFY(!row("Final")->isEditing());
        QCOMPARE(m_app->item(id).title, "Final");
    }
};

QTEST_MAIN(FocusBoardTest)
#include "tst_focusboard.moc"
