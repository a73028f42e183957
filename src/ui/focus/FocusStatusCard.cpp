#include "FocusStatusCard.h"

#include "BoardInputs.h"
#include "PresenceCircles.h"
#include "activity/ActivityMonitor.h"
#include "hold/BreakHold.h"
#include "settings/UserSettings.h"
#include "tasks/TodoManager.h"
#include "timer/WorkTimer.h"
#include "ui/common/ChangeWatcher.h"
#include "ui/common/style/Fonts.h"
#include "ui/common/style/NamedColors.h"
#include "ui/common/symbols/SymbolLabel.h"
#include "ui/common/widgets/ElidedLabel.h"
#include "ui/common/widgets/ThinProgressBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

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

FocusStatusCard::FocusStatusCard(TodoManager &todoManager, WorkTimer &workTimer, ActivityMonitor &activityMonitor,
                                 UserSettings &settings, BreakHold &hold, QWidget *parent)
    : CardFrame(16, 0.08, 8, 2, parent),
      m_todoManager(todoManager),
      m_workTimer(workTimer),
      m_activityMonitor(activityMonitor),
      m_hold(hold)
{
    auto *padding = new QHBoxLayout(this);
    padding->setSpacing(16);
    const int inner = 16;
    const QMargins margins = contentsMargins();
    padding->setContentsMargins(margins.left() + inner, margins.top() + inner, margins.right() + inner,
                                margins.bottom() + inner);
    setFixedHeight(180 + margins.top() + margins.bottom());

    auto *presence = new QWidget(this);
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
    m_noTask = label(this, Fonts::system(15), ColorRole::secondary);
    m_noTask->setText(QStringLiteral("No active task"));
    task->addWidget(m_noTask);

    m_currentTask = new QWidget(this);
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
    m_countdownCaption = label(this, Fonts::system(11), ColorRole::secondary);
    m_countdown = label(this, Fonts::monospacedDigits(24, QFont::Medium), ColorRole::primary);
    m_countdown->setObjectName(QStringLiteral("countdown"));
    countdownColumn->addWidget(m_countdownCaption);
    countdownColumn->addWidget(m_countdown);
    countdownRow->addLayout(countdownColumn);
    countdownRow->addStretch();
    m_takeBreak = new QPushButton(QStringLiteral("Take Break"), this);
    m_takeBreak->setObjectName(QStringLiteral("takeBreak"));
    m_takeBreak->setFont(Fonts::system(12, QFont::Medium));
    m_takeBreak->setCursor(Qt::PointingHandCursor);
    m_takeBreak->setStyleSheet(
        QStringLiteral(
            "QPushButton { color: white; background: %1; border: none; border-radius: 8px; padding: 6px 12px; }")
            .arg(NamedColors::cssColor(NamedColors::readableFill(NamedColors::resolve(ColorRole::orange), Qt::white))));
    connect(m_takeBreak, &QPushButton::clicked, this, [this] { m_workTimer.takeBreakFromSnooze(); });
    countdownRow->addWidget(m_takeBreak, 0, Qt::AlignVCenter);
    task->addLayout(countdownRow);
    m_holdText = label(this, Fonts::system(11), ColorRole::secondary);
    m_holdText->setObjectName(QStringLiteral("holdText"));
    task->addWidget(m_holdText);

    m_progress = new ThinProgressBar(this);
    task->addWidget(m_progress);
    padding->addLayout(task, 1);

    auto *watcher = new ChangeWatcher([this] { refresh(); }, this);
    watcher->watch(&todoManager);
    watcher->watch(&workTimer);
    // Input moves the last-activity time many times a second; the card shows only presence.
    watcher->watch(&activityMonitor, {"isPresentChanged"});
    watcher->watch(&settings, {"changed"});
    watcher->watch(&hold);
    refresh();
}

void FocusStatusCard::refresh()
{
    m_model = FocusBoardModel::make(ViewInputs::board(m_workTimer, m_activityMonitor, m_todoManager, m_hold));
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
    m_holdText->setVisible(!m_model.holdText.isEmpty());
    setText(m_holdText, m_model.holdText);
    m_progress->setProgress(m_model.progress, m_model.progressColor);
}
