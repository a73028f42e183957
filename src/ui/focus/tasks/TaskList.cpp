#include "TaskList.h"

#include "AccessibleRoles.h"
#include "TaskRow.h"
#include "tasks/TodoManager.h"
#include "ui/common/style/Fonts.h"
#include "ui/common/style/NamedColors.h"
#include "ui/common/symbols/SymbolLabel.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QVBoxLayout>

TaskList::TaskList(TodoManager &todoManager, AppState &appState, const MainLoop &clock, QWidget *parent)
    : QWidget(parent),
      m_todoManager(todoManager),
      m_appState(appState),
      m_clock(clock)
{
    AccessibleRoles::install();
    setAccessibleName(QStringLiteral("Tasks"));
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 4, 0, 4);
    m_layout->setSpacing(0);

    m_emptyState = new QWidget(this);
    auto *empty = new QVBoxLayout(m_emptyState);
    empty->setContentsMargins(0, 32, 0, 32);
    empty->setSpacing(6);
    m_emptySymbol = new SymbolLabel(QString(), 40, ColorRole::secondary, m_emptyState);
    m_emptyText = new QLabel(m_emptyState);
    m_emptyText->setFont(Fonts::system(Fonts::kSubheadline));
    NamedColors::setForeground(m_emptyText, ColorRole::secondary);
    empty->addWidget(m_emptySymbol, 0, Qt::AlignHCenter);
    empty->addWidget(m_emptyText, 0, Qt::AlignHCenter);
    m_layout->addWidget(m_emptyState);
    m_layout->addStretch();

    m_dropIndicator = new QWidget(this);
    m_dropIndicator->setFixedHeight(2);
    m_dropIndicator->setAutoFillBackground(true);
    QPalette indicator = m_dropIndicator->palette();
    indicator.setColor(QPalette::Window, NamedColors::resolve(ColorRole::blue));
    m_dropIndicator->setPalette(indicator);
    m_dropIndicator->hide();
}

void TaskList::setItems(const QList<TodoItem> &items, bool reorderable, const TaskCardModel::EmptyState &emptyState)
{
    if (m_dragging && !reorderable)
        cancelDrag();
    m_reorderable = reorderable;
    QList<TaskRow *> order;
    QHash<QUuid, TaskRow *> rows;
    for (const TodoItem &item : items) {
        TaskRow *row = m_rows.take(item.id);
        if (row) {
            row->setItem(item);
        } else {
            row = new TaskRow(item, m_todoManager, m_appState, m_clock, this);
            row->installEventFilter(this);
            connect(row, &TaskRow::neighbourRequested, this, [this, row](int step) { focusNeighbour(row, step); });
            connect(row, &TaskRow::moveRequested, this, [this, row](int step) { moveByKeyboard(row, step); });
        }
        rows.insert(item.id, row);
        order.append(row);
    }
    // Rows of tasks that left this list go later: one of them may be running the change.
    for (TaskRow *gone : std::as_const(m_rows)) {
        m_layout->removeWidget(gone);
        gone->hide();
        gone->deleteLater();
    }
    if (order != m_order) {
        for (TaskRow *row : std::as_const(order))
            m_layout->removeWidget(row);
        for (qsizetype i = 0; i < order.size(); ++i) {
            m_layout->insertWidget(int(i), order[i]);
            order[i]->show();
        }
    }
    m_rows = rows;
    m_order = order;

    m_emptySymbol->setSymbol(emptyState.symbol);
    if (m_emptyText->text() != emptyState.text)
        m_emptyText->setText(emptyState.text);
    m_emptyState->setVisible(m_order.isEmpty());
}

void TaskList::focusNeighbour(TaskRow *row, int step)
{
    const qsizetype at = m_order.indexOf(row) + step;
    if (at < 0 || at >= m_order.size())
        return;
    QWidget *target = m_order[at]->tabStops().first();
    target->setFocus(Qt::TabFocusReason);
    if (auto *scroll = qobject_cast<QScrollArea *>(parentWidget() ? parentWidget()->parentWidget() : nullptr))
        scroll->ensureWidgetVisible(target);
}

void TaskList::moveByKeyboard(TaskRow *row, int step)
{
    const qsizetype at = m_order.indexOf(row);
    if (!m_reorderable || at < 0 || at + step < 0 || at + step >= m_order.size())
        return;
    // The gap before the row above, or after the row below; the focus stays on the task.
    QPointer<QWidget> focused = QApplication::focusWidget();
    m_todoManager.moveActiveTasks({at}, step < 0 ? at - 1 : at + 2);
    if (focused)
        focused->setFocus(Qt::TabFocusReason);
}

QWidget *TaskList::orderTabStops(QWidget *before) const
{
    // Rows are made as tasks arrive and move when tasks do; Tab follows the list instead.
    QWidget *previous = before;
    for (TaskRow *row : m_order) {
        for (QWidget *stop : row->tabStops()) {
            setTabOrder(previous, stop);
            previous = stop;
        }
    }
    return previous;
}

void TaskList::refreshRows()
{
    for (TaskRow *row : std::as_const(m_order))
        row->refresh();
}

bool TaskList::isShowingEmptyState() const { return !m_emptyState->isHidden(); }

QString TaskList::emptyStateText() const { return m_emptyText->text(); }

int TaskList::gapAt(int y) const
{
    int gap = 0;
    for (TaskRow *row : m_order) {
        if (row->geometry().center().y() < y)
            ++gap;
    }
    return gap;
}

bool TaskList::eventFilter(QObject *watched, QEvent *event)
{
    auto *row = qobject_cast<TaskRow *>(watched);
    if (!row || !m_reorderable)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && !row->isEditing()) {
            m_pressedRow = row;
            m_pressPosition = mapFromGlobal(mouse->globalPosition().toPoint());
        }
        break;
    }
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (!m_pressedRow || !(mouse->buttons() & Qt::LeftButton))
            break;
        const QPoint position = mapFromGlobal(mouse->globalPosition().toPoint());
        if (!m_dragging && (position - m_pressPosition).manhattanLength() >= QApplication::startDragDistance())
            beginDrag();
        if (m_dragging) {
            updateDropIndicator(position.y());
            return true;
        }
        break;
    }
    case QEvent::MouseButtonRelease: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            break;
        if (m_dragging) {
            finishDrag(mapFromGlobal(mouse->globalPosition().toPoint()).y());
            return true;
        }
        m_pressedRow = nullptr;
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void TaskList::beginDrag()
{
    m_dragging = true;
    m_pressedRow->setCursor(Qt::ClosedHandCursor);
    m_dropIndicator->raise();
    m_dropIndicator->show();
}

void TaskList::updateDropIndicator(int y)
{
    const int gap = gapAt(y);
    int lineY = 0;
    if (m_order.isEmpty())
        lineY = 0;
    else if (gap < m_order.size())
        lineY = m_order[gap]->geometry().top();
    else
        lineY = m_order.last()->geometry().bottom();
    m_dropIndicator->setGeometry(8, qMax(0, lineY - 1), width() - 16, 2);
}

void TaskList::finishDrag(int y)
{
    const int source = int(m_order.indexOf(m_pressedRow.data()));
    const int gap = gapAt(y);
    cancelDrag();
    // Dropping a row just before or after itself leaves the order as it is: no move, no save.
    if (source < 0 || gap == source || gap == source + 1)
        return;
    m_todoManager.moveActiveTasks({qsizetype(source)}, qsizetype(gap));
}

void TaskList::cancelDrag()
{
    if (m_pressedRow)
        m_pressedRow->unsetCursor();
    m_dragging = false;
    m_pressedRow = nullptr;
    m_dropIndicator->hide();
}
