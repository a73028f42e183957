#include "support/FakeApp.h"
#include "ui/common/symbols/SymbolButton.h"
#include "ui/focus/FocusBoardContent.h"
#include "ui/focus/FocusTaskCard.h"
#include "ui/focus/tasks/FilterTab.h"
#include "ui/focus/tasks/TaskList.h"
#include "ui/focus/tasks/TaskRow.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

// A named part of a view.
template <typename Part> Part *part(const QObject *owner, const char *name)
{
    Part *found = owner->findChild<Part *>(QLatin1String(name));
    if (!found)
        qFatal("no part named %s", name);
    return found;
}

// The focus board and its task rows over the real managers, shown at the main view's size.
class FocusBoardTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FakeApp> m_app;
    std::unique_ptr<FocusBoardContent> m_board;

    QStringList rowTitles() const
    {
        QStringList titles;
        for (TaskRow *row : part<TaskList>(m_board.get(), "taskList")->rows())
            titles << row->item().title;
        return titles;
    }

    TaskRow *row(const QString &title) const
    {
        const qsizetype at = rowTitles().indexOf(title);
        return at < 0 ? nullptr : part<TaskList>(m_board.get(), "taskList")->rows()[at];
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
        QLineEdit *field = part<QLineEdit>(m_board.get(), "newTaskField");
        QTest::keyClicks(field, "   ");
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(m_app->todos.items().isEmpty());

        field->setText("  \tWrite report \t");
        QTest::mouseClick(part<SymbolButton>(m_board.get(), "addTask"), Qt::LeftButton);
        QCOMPARE(m_app->titles(m_app->todos.items()), QStringList({"Write report"}));
        QCOMPARE(field->text(), "");
        QCOMPARE(rowTitles(), QStringList({"Write report"}));
    }

    void tabsCountTheirRowsAndShowEmptyStates()
    {
        QVERIFY(part<TaskList>(m_board.get(), "taskList")->isShowingEmptyState());
        const QUuid a = m_app->addTask("A");
        m_app->addTask("B");
        QCOMPARE(part<FilterTab>(m_board.get(), "activeTab")->count(), 2);
        QVERIFY(!part<TaskList>(m_board.get(), "taskList")->isShowingEmptyState());

        QTest::mouseClick(part<FilterTab>(m_board.get(), "doneTab"), Qt::LeftButton);
        QVERIFY(m_board->taskCard().showingDone());
        QVERIFY(!part<QLineEdit>(m_board.get(), "newTaskField")->isVisible());

        m_app->todos.setStatus(a, TodoStatus::done);
        QCOMPARE(part<FilterTab>(m_board.get(), "activeTab")->count(), 1);
        QCOMPARE(part<FilterTab>(m_board.get(), "doneTab")->count(), 1);
        QCOMPARE(rowTitles(), QStringList({"A"}));
    }

    void draggingARowMovesItWithOneCallToTheTaskManager()
    {
        for (const char *title : {"A", "B", "C", "D"})
            m_app->addTask(title);
        QCoreApplication::processEvents();
        const QList<TaskRow *> rows = part<TaskList>(m_board.get(), "taskList")->rows();
        QSignalSpy changes(&m_app->todos, &TodoManager::itemsChanged);
        // From A's title, down past C's middle, dropped between C and D.
        QWidget *grip = part<QLabel>(rows[0], "title");
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
        QTest::mouseClick(part<SymbolButton>(row("Write report"), "statusMark"), Qt::LeftButton);
        QCOMPARE(m_app->item(id).status, TodoStatus::inProgress);
        QVERIFY(!part<QLabel>(row("Write report"), "activeBadge")->isHidden());
        // The row asked the state to follow: present, working, a current task, so the clock runs.
        QVERIFY(m_app->todos.isTracking());

        QTest::mouseClick(part<SymbolButton>(row("Write report"), "statusMark"), Qt::LeftButton);
        QCOMPARE(m_app->item(id).status, TodoStatus::done);
        QVERIFY(!row("Write report")); // it moved to the Done tab
        m_board->taskCard().setShowingDone(true);
        QCOMPARE(part<QLabel>(row("Write report"), "completion")->text(), "just now");
        QTest::mouseClick(part<SymbolButton>(row("Write report"), "statusMark"), Qt::LeftButton);
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
        part<FilterTab>(m_board.get(), "activeTab")->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Right);
        QVERIFY(part<FilterTab>(m_board.get(), "doneTab")->hasFocus() &&
                part<FilterTab>(m_board.get(), "doneTab")->isSelected());
        press(Qt::Key_Left);
        QVERIFY(part<FilterTab>(m_board.get(), "activeTab")->isSelected());

        // Tab goes on to the first row, whose controls show for the focus as for the mouse.
        press(Qt::Key_Tab);
        const QImage unfocused = part<SymbolButton>(row("First"), "statusMark")->grab().toImage();
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), part<SymbolButton>(row("First"), "statusMark"));
        QVERIFY(part<SymbolButton>(row("First"), "statusMark")->grab().toImage() != unfocused); // the focus shows
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), part<QPushButton>(row("First"), "focusButton"));
        press(Qt::Key_Return);
        QCOMPARE(m_app->item(first).status, TodoStatus::inProgress);

        QCOMPARE(QApplication::focusWidget(), part<SymbolButton>(row("First"), "statusMark")); // the task keeps it
        press(Qt::Key_Down, Qt::AltModifier); // moves the task, as a drag would
        QCOMPARE(FakeApp::titles(m_app->todos.activeItems()), (QStringList{"Second", "First"}));
        press(Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(FakeApp::titles(m_app->todos.activeItems()), (QStringList{"First", "Second"}));
        press(Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), part<SymbolButton>(row("Second"), "statusMark"));
        press(Qt::Key_F2);
        QTest::keyClicks(QApplication::focusWidget(), "Renamed");
        press(Qt::Key_Return);
        QCOMPARE(m_app->item(second).title, "Renamed");
        QCOMPARE(QApplication::focusWidget(), part<SymbolButton>(row("Renamed"), "statusMark"));
        press(Qt::Key_Delete); // an open task is not deleted, as with the mouse
        press(Qt::Key_Space);
        QCOMPARE(m_app->item(second).status, TodoStatus::inProgress);

        press(Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), part<QLineEdit>(m_board.get(), "newTaskField"));

        m_board->taskCard().setShowingDone(true);
        m_app->todos.setStatus(first, TodoStatus::done);
        part<SymbolButton>(row("First"), "statusMark")->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Delete);
        QVERIFY(m_app->todos.items().size() == 1 && m_app->item(second).status == TodoStatus::inProgress);

        for (QWidget *control : m_board->findChildren<QWidget *>()) {
            if (!(control->focusPolicy() & Qt::TabFocus) || !control->isVisibleTo(m_board.get()))
                continue;
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
            QVERIFY2(!accessible->text(QAccessible::Name).isEmpty(), control->metaObject()->className());
            QVERIFY(accessible->role() != QAccessible::Client);
        }
        QCOMPARE(QAccessible::queryAccessibleInterface(part<FilterTab>(m_board.get(), "doneTab"))->role(),
                 QAccessible::PageTab);
        QVERIFY(QAccessible::queryAccessibleInterface(part<FilterTab>(m_board.get(), "doneTab"))->state().selected);
        QCOMPARE(QAccessible::queryAccessibleInterface(part<TaskList>(m_board.get(), "taskList"))->role(),
                 QAccessible::List);
    }

    void renameCommitsTrimmedNewTitlesAndEscapeDiscards()
    {
        const QUuid id = m_app->addTask("Draft");
        QTest::mouseDClick(part<QLabel>(row("Draft"), "title"), Qt::LeftButton);
        QVERIFY(row("Draft")->isEditing());
        part<QLineEdit>(row("Draft"), "renameField")->clear();
        QTest::keyClicks(part<QLineEdit>(row("Draft"), "renameField"), "  Final\t");
        QTest::keyClick(part<QLineEdit>(row("Draft"), "renameField"), Qt::Key_Return);
        QCOMPARE(m_app->item(id).title, "Final");
        QVERIFY(!row("Final")->isEditing());

        row("Final")->startRenaming();
        part<QLineEdit>(row("Final"), "renameField")->setText("Something else");
        QTest::keyClick(part<QLineEdit>(row("Final"), "renameField"), Qt::Key_Escape);
        QVERIFY(!row("Final")->isEditing());
        QCOMPARE(m_app->item(id).title, "Final");
    }
};

QTEST_MAIN(FocusBoardTest)
#include "tst_focusboard.moc"
