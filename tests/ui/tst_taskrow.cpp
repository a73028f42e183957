#include "ShownFocusBoard.h"
#include "support/FakeApp.h"
#include "ui/FocusBoardContent.h"
#include "ui/SymbolButton.h"
#include "ui/TaskList.h"
#include "ui/TaskRow.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

QStringList menuTexts(QMenu *menu)
{
    QStringList texts;
    for (QAction *action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("---") : action->text());
    return texts;
}

QAction *menuAction(QMenu *menu, const QString &text)
{
    for (QAction *action : menu->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

} // namespace

// Task rows on the focus board, acting through the real task manager.
class TaskRowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FakeApp> m_app;
    std::unique_ptr<FocusBoardContent> m_board;

    TaskRow *row(const QString &title) const
    {
        for (TaskRow *candidate : m_board->taskList()->rows()) {
            if (candidate->item().title == title)
                return candidate;
        }
        return nullptr;
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

    void statusMarkCyclesTodoInProgressDoneAndBack()
    {
        const QUuid id = m_app->addTask("Write report");
        m_app->addTask("Next");
        m_app->startPresent();
        QCOMPARE(row("Write report")->statusMark()->symbol(), "circle");
        QVERIFY(row("Write report")->activeBadge()->isHidden());

        QTest::mouseClick(row("Write report")->statusMark(), Qt::LeftButton);
        QCOMPARE(m_app->item(id).status, TodoStatus::inProgress);
        QCOMPARE(row("Write report")->statusMark()->symbol(), "checkmark.circle");
        QVERIFY(!row("Write report")->activeBadge()->isHidden());
        // The row asked the state to follow: present, working, a current task, so the clock runs.
        QVERIFY(m_app->todos.isTracking());

        QTest::mouseClick(row("Write report")->statusMark(), Qt::LeftButton);
        QCOMPARE(m_app->item(id).status, TodoStatus::done);
        QVERIFY(!row("Write report")); // it moved to the Done tab
        m_board->setShowingDone(true);
        TaskRow *done = row("Write report");
        QVERIFY(done);
        QCOMPARE(done->statusMark()->symbol(), "checkmark.circle.fill");
        QVERIFY(done->titleLabel()->font().strikeOut());
        QCOMPARE(done->completionLabel()->text(), "just now");
        QVERIFY(!done->completionLabel()->isHidden());

        QTest::mouseClick(done->statusMark(), Qt::LeftButton);
        QCOMPARE(m_app->item(id).status, TodoStatus::todo);
        QVERIFY(!m_app->item(id).completedAt);
    }

    void contextMenuOffersWhatTheStatusAllows()
    {
        const QUuid id = m_app->addTask("Task");
        std::unique_ptr<QMenu> menu(row("Task")->buildContextMenu());
        QCOMPARE(menuTexts(menu.get()), QStringList({"Rename", "---", "Focus", "Mark Done"}));
        menuAction(menu.get(), "Focus")->trigger();
        QCOMPARE(m_app->item(id).status, TodoStatus::inProgress);

        menu.reset(row("Task")->buildContextMenu());
        QCOMPARE(menuTexts(menu.get()), QStringList({"Rename", "---", "Mark Done", "Move to To Do"}));
        menuAction(menu.get(), "Mark Done")->trigger();
        QCOMPARE(m_app->item(id).status, TodoStatus::done);

        m_board->setShowingDone(true);
        menu.reset(row("Task")->buildContextMenu());
        QCOMPARE(menuTexts(menu.get()), QStringList({"Rename", "---", "Focus", "Move to To Do", "---", "Delete"}));
        menuAction(menu.get(), "Delete")->trigger();
        QVERIFY(m_app->todos.items().isEmpty());
    }

    void renameCommitsTrimmedNewTitlesAndEscapeDiscards()
    {
        const QUuid id = m_app->addTask("Draft");
        QTest::mouseDClick(row("Draft")->titleLabel(), Qt::LeftButton);
        TaskRow *editing = row("Draft");
        QVERIFY(editing->isEditing());
        QCOMPARE(editing->renameField()->text(), "Draft");
        QVERIFY(!editing->renameField()->isHidden());
        editing->renameField()->clear();
        QTest::keyClicks(editing->renameField(), "  Final\t");
        QTest::keyClick(editing->renameField(), Qt::Key_Return);
        QCOMPARE(m_app->item(id).title, "Final");
        QVERIFY(!row("Final")->isEditing());
        QCOMPARE(row("Final")->titleLabel()->text(), "Final");

        // The same title with spaces around it, or only spaces: no rename, the field closes.
        QSignalSpy changes(&m_app->todos, &TodoManager::itemsChanged);
        for (const QString &typed : {QStringLiteral("  Final "), QStringLiteral("   ")}) {
            row("Final")->startRenaming();
            row("Final")->renameField()->setText(typed);
            QTest::keyClick(row("Final")->renameField(), Qt::Key_Return);
            QVERIFY(!row("Final")->isEditing());
        }
        QCOMPARE(changes.count(), 0);

        row("Final")->startRenaming();
        row("Final")->renameField()->setText("Something else");
        QTest::keyClick(row("Final")->renameField(), Qt::Key_Escape);
        QVERIFY(!row("Final")->isEditing());
        QCOMPARE(row("Final")->editedTitle(), "");
        QCOMPARE(m_app->item(id).title, "Final");
        QCOMPARE(changes.count(), 0);
    }

    void hoverRevealsTheControlsOfTheStatusInAFixedBox()
    {
        const QUuid todo = m_app->addTask("Todo");
        const QUuid active = m_app->addTask("Active");
        const QUuid done = m_app->addTask("Done");
        m_app->todos.setStatus(active, TodoStatus::inProgress);
        m_app->todos.setStatus(done, TodoStatus::done);
        m_app->todos.setStatus(todo, TodoStatus::todo);

        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QEvent leave(QEvent::Leave);
        TaskRow *todoRow = row("Todo");
        QVERIFY(todoRow->focusButton()->isHidden());
        QApplication::sendEvent(todoRow, &enter);
        QVERIFY(todoRow->isHovered());
        QVERIFY(!todoRow->focusButton()->isHidden());
        QVERIFY(todoRow->trashButton()->isHidden());
        QApplication::sendEvent(todoRow, &leave);
        QVERIFY(todoRow->focusButton()->isHidden());

        TaskRow *activeRow = row("Active");
        QApplication::sendEvent(activeRow, &enter);
        QVERIFY(activeRow->focusButton()->isHidden() && activeRow->trashButton()->isHidden());
        QCOMPARE(activeRow->hoverBox()->width(), TaskRow::kHoverBoxWidth);
        QCOMPARE(todoRow->hoverBox()->width(), TaskRow::kHoverBoxWidth);

        m_board->setShowingDone(true);
        TaskRow *doneRow = row("Done");
        QApplication::sendEvent(doneRow, &enter);
        QVERIFY(!doneRow->trashButton()->isHidden());
        QTest::mouseClick(doneRow->trashButton(), Qt::LeftButton);
        QCOMPARE(m_app->titles(m_app->todos.items()), QStringList({"Todo", "Active"}));

        m_board->setShowingDone(false);
        QApplication::sendEvent(row("Todo"), &enter);
        QTest::mouseClick(row("Todo")->focusButton(), Qt::LeftButton);
        QCOMPARE(m_app->item(todo).status, TodoStatus::inProgress);
        QCOMPARE(m_app->item(active).status, TodoStatus::todo);
    }

    void focusLineFollowsTheRunningSession()
    {
        const QUuid id = m_app->addTask("Focus me");
        m_app->startPresent();
        QTest::mouseClick(row("Focus me")->statusMark(), Qt::LeftButton);
        TaskRow *current = row("Focus me");
        QVERIFY(!current->focusText()->parentWidget()->isHidden());
        QCOMPARE(current->focusText()->text(), "0s");
        m_app->work(65);
        QCOMPARE(current->focusText()->text(), "1m 5s");
        QCOMPARE(current->item().id, id);
    }
};

QTEST_MAIN(TaskRowTest)
#include "tst_taskrow.moc"
