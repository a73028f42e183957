#include "support/FakeApp.h"
#include "ui/focus/tasks/FilterTab.h"
#include "ui/focus/FocusBoardContent.h"
#include "ui/common/symbols/SymbolButton.h"
#include "ui/focus/tasks/TaskList.h"
#include "ui/focus/tasks/TaskRow.h"

#include <QAccessible>
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

    // Every action of the board from the keyboard, with a visible focus, each control named for
    // screen readers.
    void everyActionWorksFromTheKeyboard()
    {
        const QUuid first = m_app->addTask("First");
        const QUuid second = m_app->addTask("Second");
        m_board->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_board.get()));
        const auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
            QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        };
        m_board->activeTab()->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Right);
        QVERIFY(m_board->doneTab()->hasFocus() && m_board->doneTab()->isSelected());
        press(Qt::Key_Left);
        QVERIFY(m_board->activeTab()->isSelected());

        // Tab goes on to the first row, whose controls show for the focus as for the mouse.
        press(Qt::Key_Tab);
        const QImage unfocused = row("First")->statusMark()->grab().toImage();
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), row("First")->statusMark());
        QVERIFY(row("First")->statusMark()->grab().toImage() != unfocused); // the focus shows
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), row("First")->focusButton());
        press(Qt::Key_Return);
        QCOMPARE(m_app->item(first).status, TodoStatus::inProgress);

        press(Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), row("Second")->statusMark());
        press(Qt::Key_F2);
        QTest::keyClicks(QApplication::focusWidget(), "Renamed");
        press(Qt::Key_Return);
        QCOMPARE(m_app->item(second).title, "Renamed");
        QCOMPARE(QApplication::focusWidget(), row("Renamed")->statusMark());
        press(Qt::Key_Delete); // an open task is not deleted, as with the mouse
        press(Qt::Key_Space);
        QCOMPARE(m_app->item(second).status, TodoStatus::inProgress);

        press(Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), m_board->newTaskField());

        m_board->setShowingDone(true);
        m_app->todos.setStatus(first, TodoStatus::done);
        row("First")->statusMark()->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Delete);
        QVERIFY(m_app->todos.items().size() == 1 && m_app->item(second).status == TodoStatus::inProgress);

        for (QWidget *control : m_board->findChildren<QWidget *>()) {
            if (!(control->focusPolicy() & Qt::TabFocus) || !control->isVisibleTo(m_board.get()))
                continue;
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
            QVERIFY2(!accessible->text(QAccessible::Name).isEmpty(), control->metaObject()->className());
            QVERIFY(accessible->role() != QAccessible::Client);
        }
        QCOMPARE(QAccessible::queryAccessibleInterface(m_board->doneTab())->role(), QAccessible::PageTab);
        QVERIFY(QAccessible::queryAccessibleInterface(m_board->doneTab())->state().selected);
        QCOMPARE(QAccessible::queryAccessibleInterface(m_board->taskList())->role(), QAccessible::List);
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
