#include "FocusTaskCard.h"

#include "appstate/AppState.h"
#include "tasks/FilterTab.h"
#include "tasks/TaskCardModel.h"
#include "tasks/TaskListView.h"
#include "tasks/TodoManager.h"
#include "timer/WorkTimer.h"
#include "ui/common/ChangeWatcher.h"
#include "ui/common/style/Fonts.h"
#include "ui/common/style/NamedColors.h"
#include "ui/common/symbols/SymbolButton.h"
#include "ui/common/symbols/SymbolLabel.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

QFrame *divider(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setFixedHeight(1);
    NamedColors::setForeground(line, ColorRole::primary, 0.12);
    return line;
}

} // namespace

FocusTaskCard::FocusTaskCard(TodoManager &todoManager, AppState &appState, WorkTimer &workTimer,
                             const MainLoop &clock, QWidget *parent)
    : CardFrame(12, 0.06, 4, 1, parent),
      m_todoManager(todoManager),
      m_appState(appState),
      m_clock(clock)
{
    auto *column = new QVBoxLayout(this);
    column->setSpacing(0);
    const QMargins margins = contentsMargins();
    column->setContentsMargins(margins.left(), margins.top() + 6, margins.right(), margins.bottom() + 6);

    auto *tabs = new QHBoxLayout;
    tabs->setContentsMargins(12, 8, 12, 8);
    tabs->setSpacing(4);
    m_activeTab = new FilterTab(
        QStringLiteral("Active"), 0, true, [this] { setShowingDone(false); }, this);
    m_doneTab = new FilterTab(
        QStringLiteral("Done"), 0, false, [this] { setShowingDone(true); }, this);
    m_activeTab->setObjectName(QStringLiteral("activeTab"));
    m_doneTab->setObjectName(QStringLiteral("doneTab"));
    tabs->addWidget(m_activeTab);
    tabs->addWidget(m_doneTab);
    tabs->addStretch();
    column->addLayout(tabs);
    column->addWidget(divider(this));

    m_taskList = new TaskListView(m_todoManager, m_appState, m_clock, this);
    m_taskList->setObjectName(QStringLiteral("taskList"));
    column->addWidget(m_taskList, 1);

    m_inputDivider = divider(this);
    column->addWidget(m_inputDivider);
    m_newTaskRow = new QWidget(this);
    auto *input = new QHBoxLayout(m_newTaskRow);
    input->setContentsMargins(16, 12, 16, 12);
    input->setSpacing(12);
    m_plus = new SymbolLabel(QStringLiteral("plus.circle.fill"), 20, ColorRole::secondary, m_newTaskRow);
    m_newTaskField = new QLineEdit(m_newTaskRow);
    m_newTaskField->setObjectName(QStringLiteral("newTaskField"));
    m_newTaskField->setFrame(false);
    m_newTaskField->setPlaceholderText(QStringLiteral("Add new task..."));
    m_newTaskField->setAccessibleName(QStringLiteral("New task"));
    m_newTaskField->setToolTip(
        QStringLiteral("Add a task (%1)").arg(QKeySequence(QKeySequence::New).toString(QKeySequence::NativeText)));
    m_newTaskField->setFont(Fonts::system(15));
    m_newTaskField->setAttribute(Qt::WA_MacShowFocusRect, false);
    m_newTaskField->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; }"));
    // The theme's placeholder colour is made for a field's own background, which this one lacks.
    QPalette fieldPalette = m_newTaskField->palette();
    fieldPalette.setColor(QPalette::PlaceholderText, NamedColors::resolve(ColorRole::secondary, fieldPalette));
    m_newTaskField->setPalette(fieldPalette);
    connect(m_newTaskField, &QLineEdit::returnPressed, this, &FocusTaskCard::add);
    connect(m_newTaskField, &QLineEdit::textChanged, this, &FocusTaskCard::updateNewTaskRow);
    m_addButton = new SymbolButton(QStringLiteral("arrow.up.circle.fill"), 22, ColorRole::blue, m_newTaskRow);
    m_addButton->setObjectName(QStringLiteral("addTask"));
    m_addButton->setAccessibleName(QStringLiteral("Add Task"));
    connect(m_addButton, &QAbstractButton::clicked, this, &FocusTaskCard::add);
    input->addWidget(m_plus);
    input->addWidget(m_newTaskField, 1);
    input->addWidget(m_addButton);
    column->addWidget(m_newTaskRow);
    updateNewTaskRow();

    // The tasks themselves change through the task manager; everything else only moves the
    // rows' clocks on, which needs no new list.
    auto *tasks = new ChangeWatcher([this] { refreshTasks(); }, this);
    tasks->watch(&todoManager, {"itemsChanged"});
    auto *clocks = new ChangeWatcher([this] { refreshRows(); }, this);
    clocks->watch(&todoManager, {"currentSessionSecondsChanged", "currentTaskIdChanged", "isTrackingChanged"});
    clocks->watch(&workTimer);
    refreshTasks();

    setTabOrder(m_doneTab, m_taskList);
    setTabOrder(m_taskList, m_newTaskField);
    setTabOrder(m_newTaskField, m_addButton);
}

void FocusTaskCard::focusNewTaskField()
{
    setShowingDone(false);
    m_newTaskField->setFocus(Qt::ShortcutFocusReason);
}

void FocusTaskCard::setShowingDone(bool showingDone)
{
    if (showingDone == m_showingDone)
        return;
    m_showingDone = showingDone;
    refreshTasks();
    m_taskList->scrollToTop();
}

QString FocusTaskCard::newTaskTitle() const { return m_newTaskField->text(); }

void FocusTaskCard::add()
{
    const QString title = TaskCardModel::trimmedTitle(m_newTaskField->text());
    if (title.isEmpty())
        return;
    m_todoManager.addTask(title);
    m_newTaskField->clear();
}

void FocusTaskCard::updateNewTaskRow()
{
    const bool typed = !m_newTaskField->text().isEmpty();
    m_plus->setColorRole(typed ? ColorRole::blue : ColorRole::secondary);
    m_addButton->setVisible(typed);
}

void FocusTaskCard::refreshTasks()
{
    const QList<TodoItem> active = m_todoManager.activeItems();
    const QList<TodoItem> done = m_todoManager.doneItems();
    m_activeTab->setCount(active.size());
    m_activeTab->setSelected(!m_showingDone);
    m_doneTab->setCount(done.size());
    m_doneTab->setSelected(m_showingDone);
    m_taskList->setItems(m_showingDone ? done : active, !m_showingDone, TaskCardModel::emptyState(m_showingDone));
    m_inputDivider->setVisible(!m_showingDone);
    m_newTaskRow->setVisible(!m_showingDone);
}

void FocusTaskCard::refreshRows() { m_taskList->refreshRows(); }
