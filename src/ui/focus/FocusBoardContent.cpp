#include "FocusBoardContent.h"

#include "activity/ActivityMonitor.h"
#include "appstate/AppState.h"
#include "settings/UserSettings.h"
#include "tasks/TodoManager.h"
#include "timer/WorkTimer.h"
#include "ui/common/widgets/CardFrame.h"
#include "ui/common/ChangeWatcher.h"
#include "ui/focus/tasks/FilterTab.h"
#include "ui/common/widgets/ElidedLabel.h"
#include "ui/common/style/Fonts.h"
#include "ui/common/widgets/DataNoticeBar.h"
#include "ui/common/style/NamedColors.h"
#include "PresenceCircles.h"
#include "ui/common/symbols/SymbolButton.h"
#include "ui/common/symbols/SymbolLabel.h"
#include "ui/focus/tasks/TaskList.h"
#include "ui/common/widgets/ThinProgressBar.h"
#include "BoardInputs.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QScrollArea>
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

QLabel *label(QWidget *parent, const QFont &font, ColorRole color)
{
    auto *result = new QLabel(parent);
    result->setFont(font);
    result->setTextFormat(Qt::PlainText);
    NamedColors::setForeground(result, color);
    return result;
}

void setText(QLabel *label, const QString &text)
{
    if (label->text() != text)
        label->setText(text);
}

} // namespace

FocusBoardContent::FocusBoardContent(TodoManager &todoManager, AppState &appState, WorkTimer &workTimer,
                                     ActivityMonitor &activityMonitor, UserSettings &settings, const MainLoop &clock,
                                     QWidget *parent)
    : QWidget(parent),
      m_todoManager(todoManager),
      m_appState(appState),
      m_workTimer(workTimer),
      m_activityMonitor(activityMonitor),
      m_settings(settings),
      m_clock(clock)
{
    setWindowTitle(QStringLiteral("Focus"));
    auto *column = new QVBoxLayout(this);
    column->setSpacing(0);
    // The cards paint their shadows in their own margins; these complete the spacing around them.
    column->setContentsMargins(6, 2, 6, 2);
    column->addWidget(buildStatusCard());
    // A notice when the task list could not be read or saved, between the two cards.
    auto *notices = new DataNoticeBar(todoManager.dataFile(), [&todoManager] { return todoManager.dataNotices(); });
    notices->setContentsMargins(10, 4, 10, 0);
    connect(notices, &DataNoticeBar::openFolderRequested, this,
            [&appState](const QString &folder) { appState.openFolder(folder); });
    column->addWidget(notices);
    column->addWidget(buildTaskCard(), 1);

    auto *watcher = new ChangeWatcher([this] { refresh(); }, this);
    watcher->watch(&todoManager);
    watcher->watch(&appState);
    watcher->watch(&workTimer);
    // Input moves the last-activity time many times a second; the board shows only presence.
    watcher->watch(&activityMonitor, {"isPresentChanged"});
    watcher->watch(&settings, {"changed"});
    // Ctrl+N goes to the new-task field from anywhere in the window.
    auto *newTask = new QShortcut(QKeySequence::New, this);
    connect(newTask, &QShortcut::activated, this, [this] {
        setShowingDone(false);
        m_newTaskField->setFocus(Qt::ShortcutFocusReason);
    });
    refreshTasks();
    refreshStatus();
}

QWidget *FocusBoardContent::buildStatusCard()
{
    auto *card = new CardFrame(16, 0.08, 8, 2, this);
    auto *padding = new QHBoxLayout(card);
    padding->setSpacing(16);
    const int inner = 16;
    QMargins margins = card->contentsMargins();
    padding->setContentsMargins(margins.left() + inner, margins.top() + inner, margins.right() + inner,
                                margins.bottom() + inner);
    card->setFixedHeight(180 + margins.top() + margins.bottom());

    auto *presence = new QWidget(card);
    presence->setFixedWidth(100);
    auto *presenceColumn = new QVBoxLayout(presence);
    presenceColumn->setContentsMargins(0, 16, 0, 16);
    presenceColumn->setSpacing(8);
    m_presence = new PresenceCircles(presence);
    m_presenceText = label(presence, Fonts::system(13, QFont::Medium), ColorRole::secondary);
    presenceColumn->addStretch();
    presenceColumn->addWidget(m_presence, 0, Qt::AlignHCenter);
    presenceColumn->addWidget(m_presenceText, 0, Qt::AlignHCenter);
    presenceColumn->addStretch();
    padding->addWidget(presence);

    auto *task = new QVBoxLayout;
    task->setSpacing(12);
    m_noTask = label(card, Fonts::system(15), ColorRole::secondary);
    m_noTask->setText(QStringLiteral("No active task"));
    task->addWidget(m_noTask);

    m_currentTask = new QWidget(card);
    auto *current = new QVBoxLayout(m_currentTask);
    current->setContentsMargins(0, 0, 0, 0);
    current->setSpacing(4);
    auto *titleRow = new QHBoxLayout;
    titleRow->setSpacing(6);
    titleRow->addWidget(new SymbolLabel(QStringLiteral("target"), 12, ColorRole::blue, m_currentTask));
    // At most two lines, whole ones: a longer title ends with an ellipsis.
    m_taskTitle = new ElidedLabel(m_currentTask, 2);
    m_taskTitle->setObjectName(QStringLiteral("currentTaskTitle"));
    m_taskTitle->setFont(Fonts::system(15, QFont::Medium));
    NamedColors::setForeground(m_taskTitle, ColorRole::primary);
    titleRow->addWidget(m_taskTitle, 1);
    current->addLayout(titleRow);
    auto *timeRow = new QHBoxLayout;
    timeRow->setSpacing(8);
    m_focusState = new SymbolLabel(QStringLiteral("pause.fill"), 24, ColorRole::blue, m_currentTask);
    m_focusTime = label(m_currentTask, Fonts::monospacedDigits(28, QFont::DemiBold), ColorRole::blue);
    timeRow->addWidget(m_focusState);
    timeRow->addWidget(m_focusTime);
    timeRow->addStretch();
    current->addLayout(timeRow);
    task->addWidget(m_currentTask);
    task->addStretch();

    auto *countdownRow = new QHBoxLayout;
    auto *countdownColumn = new QVBoxLayout;
    countdownColumn->setSpacing(2);
    m_countdownCaption = label(card, Fonts::system(11), ColorRole::secondary);
    m_countdown = label(card, Fonts::monospacedDigits(24, QFont::Medium), ColorRole::primary);
    countdownColumn->addWidget(m_countdownCaption);
    countdownColumn->addWidget(m_countdown);
    countdownRow->addLayout(countdownColumn);
    countdownRow->addStretch();
    m_takeBreak = new QPushButton(QStringLiteral("Take Break"), card);
    m_takeBreak->setFont(Fonts::system(12, QFont::Medium));
    m_takeBreak->setCursor(Qt::PointingHandCursor);
    m_takeBreak->setStyleSheet(
        QStringLiteral(
            "QPushButton { color: white; background: %1; border: none; border-radius: 8px; padding: 6px 12px; }")
            .arg(NamedColors::cssColor(NamedColors::readableFill(NamedColors::resolve(ColorRole::orange), Qt::white))));
    connect(m_takeBreak, &QPushButton::clicked, this, [this] { m_workTimer.takeBreakFromSnooze(); });
    countdownRow->addWidget(m_takeBreak, 0, Qt::AlignVCenter);
    task->addLayout(countdownRow);

    m_progress = new ThinProgressBar(card);
    task->addWidget(m_progress);
    padding->addLayout(task, 1);
    return card;
}

QWidget *FocusBoardContent::buildTaskCard()
{
    auto *card = new CardFrame(12, 0.06, 4, 1, this);
    auto *column = new QVBoxLayout(card);
    column->setSpacing(0);
    const QMargins margins = card->contentsMargins();
    column->setContentsMargins(margins.left(), margins.top() + 6, margins.right(), margins.bottom() + 6);

    auto *tabs = new QHBoxLayout;
    tabs->setContentsMargins(12, 8, 12, 8);
    tabs->setSpacing(4);
    m_activeTab = new FilterTab(
        QStringLiteral("Active"), 0, true, [this] { setShowingDone(false); }, card);
    m_doneTab = new FilterTab(
        QStringLiteral("Done"), 0, false, [this] { setShowingDone(true); }, card);
    tabs->addWidget(m_activeTab);
    tabs->addWidget(m_doneTab);
    tabs->addStretch();
    column->addLayout(tabs);
    column->addWidget(divider(card));

    auto *scroll = new QScrollArea(card);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The rows' controls take the focus; the area itself is no stop of its own.
    scroll->setFocusPolicy(Qt::NoFocus);
    // The rows sit on the card itself.
    scroll->setStyleSheet(QStringLiteral("QScrollArea, QScrollArea > QWidget > QWidget { background: transparent; }"));
    m_taskList = new TaskList(m_todoManager, m_appState, m_clock, scroll);
    m_taskList->setAutoFillBackground(false);
    scroll->setWidget(m_taskList);
    column->addWidget(scroll, 1);

    m_inputDivider = divider(card);
    column->addWidget(m_inputDivider);
    m_newTaskRow = new QWidget(card);
    auto *input = new QHBoxLayout(m_newTaskRow);
    input->setContentsMargins(16, 12, 16, 12);
    input->setSpacing(12);
    m_plus = new SymbolLabel(QStringLiteral("plus.circle.fill"), 20, ColorRole::secondary, m_newTaskRow);
    m_newTaskField = new QLineEdit(m_newTaskRow);
    m_newTaskField->setFrame(false);
    m_newTaskField->setPlaceholderText(QStringLiteral("Add new task..."));
    m_newTaskField->setAccessibleName(QStringLiteral("New task"));
    m_newTaskField->setToolTip(QStringLiteral("Add a task (%1)").arg(QKeySequence(QKeySequence::New).toString(QKeySequence::NativeText)));
    m_newTaskField->setFont(Fonts::system(15));
    m_newTaskField->setAttribute(Qt::WA_MacShowFocusRect, false);
    m_newTaskField->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; }"));
    // The theme's placeholder colour is made for a field's own background, which this one lacks.
    QPalette fieldPalette = m_newTaskField->palette();
    fieldPalette.setColor(QPalette::PlaceholderText, NamedColors::resolve(ColorRole::secondary, fieldPalette));
    m_newTaskField->setPalette(fieldPalette);
    connect(m_newTaskField, &QLineEdit::returnPressed, this, &FocusBoardContent::add);
    connect(m_newTaskField, &QLineEdit::textChanged, this, &FocusBoardContent::updateNewTaskRow);
    m_addButton = new SymbolButton(QStringLiteral("arrow.up.circle.fill"), 22, ColorRole::blue, m_newTaskRow);
    m_addButton->setAccessibleName(QStringLiteral("Add Task"));
    connect(m_addButton, &QAbstractButton::clicked, this, &FocusBoardContent::add);
    input->addWidget(m_plus);
    input->addWidget(m_newTaskField, 1);
    input->addWidget(m_addButton);
    column->addWidget(m_newTaskRow);
    updateNewTaskRow();
    return card;
}

void FocusBoardContent::setShowingDone(bool showingDone)
{
    if (showingDone == m_showingDone)
        return;
    m_showingDone = showingDone;
    refreshTasks();
}

QString FocusBoardContent::newTaskTitle() const { return m_newTaskField->text(); }

void FocusBoardContent::add()
{
    const QString title = TaskCardModel::trimmedTitle(m_newTaskField->text());
    if (title.isEmpty())
        return;
    m_todoManager.addTask(title);
    m_newTaskField->clear();
}

void FocusBoardContent::updateNewTaskRow()
{
    const bool typed = !m_newTaskField->text().isEmpty();
    m_plus->setColorRole(typed ? ColorRole::blue : ColorRole::secondary);
    m_addButton->setVisible(typed);
}

void FocusBoardContent::refresh()
{
    refreshStatus();
    refreshTasks();
}

void FocusBoardContent::refreshStatus()
{
    m_model = FocusBoardModel::make(ViewInputs::board(m_workTimer, m_activityMonitor, m_todoManager));
    m_presence->setState(m_model.presenceColor, m_model.haloOpacity, m_model.presenceSymbol);
    setText(m_presenceText, m_model.presenceText);
    NamedColors::setForeground(m_presenceText, m_model.presenceTextColor);

    m_noTask->setVisible(!m_model.taskTitle);
    m_currentTask->setVisible(m_model.taskTitle.has_value());
    if (m_model.taskTitle) {
        m_taskTitle->setFullText(*m_model.taskTitle);
        m_focusState->setSymbol(m_model.focusStateSymbol);
        setText(m_focusTime, m_model.focusTimeText);
    }

    setText(m_countdownCaption, m_model.countdownLabel);
    setText(m_countdown, m_model.countdownText);
    NamedColors::setForeground(m_countdown, m_model.countdownColor);
    m_takeBreak->setVisible(m_model.showTakeBreak);
    m_progress->setProgress(m_model.progress, m_model.progressColor);
}

void FocusBoardContent::refreshTasks()
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
    QWidget *lastRowStop = m_taskList->orderTabStops(m_doneTab);
    setTabOrder(lastRowStop, m_newTaskField);
    setTabOrder(m_newTaskField, m_addButton);
}
