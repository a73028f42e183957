#include "FocusBoardContent.h"

#include "FocusStatusCard.h"
#include "FocusTaskCard.h"
#include "appstate/AppState.h"
#include "tasks/TodoManager.h"
#include "ui/common/widgets/DataNoticeBar.h"

#include "appstate/AppState.h"
#include "hold/BreakHold.h"
#include <QShortcut>

#include <QVBoxLayout>

FocusBoardContent::FocusBoardContent(TodoManager &todoManager, AppState &appState, WorkTimer &workTimer,
                                     ActivityMonitor &activityMonitor, UserSettings &settings, const MainLoop &clock,
                                     QWidget *parent)
    : QWidget(parent),
      m_statusCard(new FocusStatusCard(todoManager, workTimer, activityMonitor, settings, appState.breakHold(), this)),
      m_taskCard(new FocusTaskCard(todoManager, appState, workTimer, clock, this))
{
    setWindowTitle(QStringLiteral("Focus"));
    auto *column = new QVBoxLayout(this);
    column->setSpacing(0);
    // The cards paint their shadows in their own margins; these complete the spacing around them.
    column->setContentsMargins(6, 2, 6, 2);
    column->addWidget(m_statusCard);
    auto *notices = new DataNoticeBar(todoManager.dataFile(), [&todoManager] { return todoManager.dataNotices(); });
    notices->setContentsMargins(10, 4, 10, 0);
    connect(notices, &DataNoticeBar::openFolderRequested, this,
            [&appState](const QString &folder) { appState.openFolder(folder); });
    column->addWidget(notices);
    column->addWidget(m_taskCard, 1);

    // Ctrl+N goes to the new-task field from anywhere in the window.
    auto *newTask = new QShortcut(QKeySequence::New, this);
    connect(newTask, &QShortcut::activated, m_taskCard, &FocusTaskCard::focusNewTaskField);
}
