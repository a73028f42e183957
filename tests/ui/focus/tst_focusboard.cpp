#include "support/FakeApp.h"
#include "ui/common/symbols/SymbolButton.h"
#include "ui/focus/FocusBoardContent.h"
#include "ui/focus/FocusTaskCard.h"
#include "ui/focus/tasks/FilterTab.h"
#include "ui/focus/tasks/TaskListModel.h"
#include "ui/focus/tasks/TaskListView.h"

#include <QAccessible>
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

    TaskListView *list() const { return part<TaskListView>(m_board.get(), "taskList"); }

    QStringList rowTitles() const
    {
        QStringList titles;
        for (int row = 0; row < list()->taskModel().rowCount(); ++row)
            titles << list()->taskModel().item(row).title;
        return titles;
    }

    int row(const QString &title) const { return int(rowTitles().indexOf(title)); }

    // The middle of a part of the task's row, in the list's viewport, once the rows are laid out.
    QPoint at(const QString &title, QRect TaskRowLayout::*partOfRow) const
    {
        QCoreApplication::processEvents();
        return (list()->rowLayout(row(title)).*partOfRow).center();
    }

    // The open rename field (an earlier one may still wait to be deleted).
    QLineEdit *renameField() const
    {
        for (QLineEdit *field : list()->findChildren<QLineEdit *>("renameField")) {
            if (field->isVisible())
                return field;
        }
        return nullptr;
    }

    void click(const QString &title, QRect TaskRowLayout::*partOfRow) const
    {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, at(title, partOfRow));
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
        QVERIFY(list()->isShowingEmptyState());
        const QUuid a = m_app->addTask("A");
        m_app->addTask("B");
        QCOMPARE(part<FilterTab>(m_board.get(), "activeTab")->count(), 2);
        QVERIFY(!list()->isShowingEmptyState());

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
        QSignalSpy changes(&m_app->todos, &TodoManager::itemsChanged);
        // From A's title, down past C's middle, dropped between C and D.
        QWidget *viewport = list()->viewport();
        const QPoint start = at("A", &TaskRowLayout::title);
        const QPoint dropAt = list()->rowLayout(row("C")).row.center() + QPoint(0, 4);
        QTest::mousePress(viewport, Qt::LeftButton, {}, start);
        QTest::mouseMove(viewport, start + QPoint(0, 3));
        QTest::mouseMove(viewport, list()->rowLayout(row("B")).row.center());
        QTest::mouseMove(viewport, dropAt);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, dropAt);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(m_app->titles(m_app->todos.items()), QStringList({"B", "C", "A", "D"}));
        QCOMPARE(rowTitles(), QStringList({"B", "C", "A", "D"}));
    }

    void rowControlsCycleTheStatusAndDelete()
    {
        const QUuid id = m_app->addTask("Write report");
        const QUuid next = m_app->addTask("Next");
        m_app->startPresent();
        click("Write report", &TaskRowLayout::statusMark);
        QCOMPARE(m_app->item(id).status, TodoStatus::inProgress);
        QVERIFY(list()->taskModel().rowModel(row("Write report")).showActiveBadge);
        // The row asked the state to follow: present, working, a current task, so the clock runs.
        QVERIFY(m_app->todos.isTracking());
        click("Write report", &TaskRowLayout::statusMark);
        QCOMPARE(m_app->item(id).status, TodoStatus::done);
        QCOMPARE(row("Write report"), -1); // it moved to the Done tab
        m_board->taskCard().setShowingDone(true);
        QCOMPARE(list()->taskModel().rowModel(row("Write report")).completionText, "just now");
        click("Write report", &TaskRowLayout::statusMark);
        QCOMPARE(m_app->item(id).status, TodoStatus::todo);
        QVERIFY(!m_app->item(id).completedAt);

        m_board->taskCard().setShowingDone(false);
        click("Next", &TaskRowLayout::focusButton);
        QCOMPARE(m_app->item(next).status, TodoStatus::inProgress);
        m_app->todos.setStatus(next, TodoStatus::done);
        m_board->taskCard().setShowingDone(true);
        click("Next", &TaskRowLayout::trashButton);
        QCOMPARE(FakeApp::titles(m_app->todos.items()), QStringList({"Write report"}));
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
            QCoreApplication::processEvents(); // a rename is committed once the key is handled
        };
        part<FilterTab>(m_board.get(), "activeTab")->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Right);
        QVERIFY(part<FilterTab>(m_board.get(), "doneTab")->hasFocus() &&
                part<FilterTab>(m_board.get(), "doneTab")->isSelected());
        press(Qt::Key_Left);
        QVERIFY(part<FilterTab>(m_board.get(), "activeTab")->isSelected());

        // Tab goes on to the list, whose current row shows its controls and the focus ring.
        press(Qt::Key_Tab);
        const QImage unfocused = list()->viewport()->grab().toImage();
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), list());
        QCOMPARE(list()->currentIndex().row(), row("First"));
        QVERIFY(list()->viewport()->grab().toImage() != unfocused);
        press(Qt::Key_Return); // the Focus button
        QCOMPARE(m_app->item(first).status, TodoStatus::inProgress);

        press(Qt::Key_Down, Qt::AltModifier); // moves the task, as a drag would
        QCOMPARE(FakeApp::titles(m_app->todos.activeItems()), (QStringList{"Second", "First"}));
        QCOMPARE(list()->currentIndex().row(), row("First")); // the task stays the current row
        press(Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(FakeApp::titles(m_app->todos.activeItems()), (QStringList{"First", "Second"}));
        press(Qt::Key_Down);
        QCOMPARE(list()->currentIndex().row(), row("Second"));
        press(Qt::Key_F2);
        QCOMPARE(QApplication::focusWidget()->objectName(), "renameField");
        QTest::keyClicks(QApplication::focusWidget(), "Renamed");
        press(Qt::Key_Return);
        QCOMPARE(m_app->item(second).title, "Renamed");
        QCOMPARE(QApplication::focusWidget(), list());
        QCOMPARE(list()->currentIndex().row(), row("Renamed"));
        press(Qt::Key_Delete); // an open task is not deleted, as with the mouse
        press(Qt::Key_Space); // the status mark
        QCOMPARE(m_app->item(second).status, TodoStatus::inProgress);

        press(Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), part<QLineEdit>(m_board.get(), "newTaskField"));

        m_board->taskCard().setShowingDone(true);
        m_app->todos.setStatus(first, TodoStatus::done);
        list()->setFocus(Qt::TabFocusReason);
        list()->setCurrentIndex(list()->taskModel().index(row("First")));
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
        m_board->taskCard().setShowingDone(false);
        QAccessibleInterface *tasks = QAccessible::queryAccessibleInterface(list());
        QCOMPARE(tasks->role(), QAccessible::List);
        QCOMPARE(tasks->childCount(), 1);
        QCOMPARE(tasks->child(0)->role(), QAccessible::ListItem);
        QCOMPARE(tasks->child(0)->text(QAccessible::Name), "Renamed");
    }

    void renameCommitsTrimmedNewTitlesAndEscapeDiscards()
    {
        m_app->startPresent();
        const QUuid id = m_app->addCurrentTask("Draft"); // its clock redraws the row every second
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, at("Draft", &TaskRowLayout::title));
        QLineEdit *field = renameField();
        QVERIFY(field);
        field->clear();
        QTest::keyClicks(field, "  Final ");
        m_app->work(2); // the clock moving on leaves the typing alone
        QCOMPARE(field->text(), "  Final ");
        QTest::keyClick(field, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(m_app->item(id).title, "Final");
        QVERIFY(!list()->isRenaming());

        list()->perform(id, TaskRowModel::Action::rename);
        field = renameField();
        field->setText("Something else");
        QTest::keyClick(field, Qt::Key_Escape);
        QCoreApplication::processEvents();
        QVERIFY(!list()->isRenaming());
        QCOMPARE(m_app->item(id).title, "Final");
    }
};

QTEST_MAIN(FocusBoardTest)
#include "tst_focusboard.moc"
