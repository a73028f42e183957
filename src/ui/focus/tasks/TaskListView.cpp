#include "TaskListView.h"

#include "TaskListModel.h"
#include "TaskRowDelegate.h"
#include "appstate/AppState.h"
#include "tasks/TodoManager.h"
#include "ui/common/style/Fonts.h"
#include "ui/common/style/NamedColors.h"
#include "ui/common/symbols/SymbolGlyphs.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

namespace {
using Part = TaskRowLayout::Part;
constexpr int kEmptyStateTop = 32;
constexpr int kEmptySymbolSize = 40;
// How near the edge a dragged row scrolls the list, and by how much each move.
constexpr int kDragScrollMargin = 16;
constexpr int kDragScrollStep = 12;
} // namespace

TaskListView::TaskListView(TodoManager &todoManager, AppState &appState, const MainLoop &clock, QWidget *parent)
    : QListView(parent),
      m_todoManager(todoManager),
      m_appState(appState),
      m_model(new TaskListModel(todoManager, clock, this)),
      m_delegate(new TaskRowDelegate(*m_model, this))
{
    setAccessibleName(QStringLiteral("Tasks"));
    setModel(m_model);
    setItemDelegate(m_delegate);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setResizeMode(QListView::Adjust);
    setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_Hover);
    // The rows sit on the card itself.
    setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    connect(m_model, &TaskListModel::rowHeightsChanged, this, [this] { scheduleDelayedItemsLayout(); });
}

void TaskListView::setItems(const QList<TodoItem> &items, bool reorderable, const TaskCardModel::EmptyState &emptyState)
{
    if (m_dragging && !reorderable)
        cancelDrag();
    m_reorderable = reorderable;
    const bool emptyBefore = m_model->rowCount() == 0;
    if (m_emptyState.text != emptyState.text || m_emptyState.symbol != emptyState.symbol) {
        m_emptyState = emptyState;
        viewport()->update();
    }
    m_model->setItems(items);
    const bool empty = m_model->rowCount() == 0;
    if (empty != emptyBefore)
        viewport()->update();
    setAccessibleDescription(empty ? m_emptyState.text : QString());
}

void TaskListView::refreshRows() { m_model->refreshShown(); }

bool TaskListView::isShowingEmptyState() const { return m_model->rowCount() == 0; }

TaskRowLayout TaskListView::rowLayout(int row) const
{
    return m_delegate->layout(*this, visualRect(m_model->index(row)), row, true);
}

void TaskListView::setStatus(const QUuid &id, TodoStatus status)
{
    m_todoManager.setStatus(id, status);
    if (TaskRowModel::needsTrackingSync(status))
        m_appState.syncTaskTracking();
}

void TaskListView::perform(const QUuid &id, TaskRowModel::Action action)
{
    if (action == TaskRowModel::Action::rename) {
        const int row = m_model->rowOf(id);
        if (row >= 0) {
            setCurrentIndex(m_model->index(row));
            edit(m_model->index(row));
        }
        return;
    }
    if (action == TaskRowModel::Action::remove) {
        m_todoManager.deleteTask(id);
        return;
    }
    if (const auto status = TaskRowModel::statusFor(action))
        setStatus(id, *status);
}

void TaskListView::press(const QModelIndex &index, Part part)
{
    const QUuid id = m_model->item(index.row()).id;
    switch (part) {
    case Part::statusMark:
        setStatus(id, m_model->rowModel(index.row()).markTarget);
        break;
    case Part::focusButton:
        perform(id, TaskRowModel::Action::focus);
        break;
    case Part::trashButton:
        perform(id, TaskRowModel::Action::remove);
        break;
    default:
        break;
    }
}

QMenu *TaskListView::buildContextMenu(const QUuid &id)
{
    auto *menu = new QMenu(this);
    const int row = m_model->rowOf(id);
    if (row < 0)
        return menu;
    for (const auto &entry : TaskRowModel::contextMenu(m_model->item(row).status)) {
        if (entry.separator) {
            menu->addSeparator();
            continue;
        }
        QAction *action = menu->addAction(entry.text);
        if (entry.destructive)
            action->setIcon(SymbolGlyphs::icon(u"trash", 14, NamedColors::resolve(ColorRole::red)));
        connect(action, &QAction::triggered, this, [this, id, what = entry.action] { perform(id, what); });
    }
    return menu;
}

void TaskListView::contextMenuEvent(QContextMenuEvent *event)
{
    const bool byKeyboard = event->reason() == QContextMenuEvent::Keyboard;
    const QModelIndex index = byKeyboard ? currentIndex() : indexAt(event->pos());
    if (!index.isValid())
        return;
    QMenu *menu = buildContextMenu(m_model->item(index.row()).id);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(byKeyboard ? viewport()->mapToGlobal(visualRect(index).center()) : event->globalPos());
}

void TaskListView::moveByKeyboard(int step)
{
    const int at = currentIndex().row();
    if (!m_reorderable || at < 0 || at + step < 0 || at + step >= m_model->rowCount())
        return;
    // The gap before the row above, or after the row below; the task stays the current row.
    const QUuid id = m_model->item(at).id;
    m_todoManager.moveActiveTasks({at}, step < 0 ? at - 1 : at + 2);
    keepCurrent(id);
}

void TaskListView::keepCurrent(const QUuid &id)
{
    const int row = m_model->rowOf(id);
    if (row < 0)
        return;
    setCurrentIndex(m_model->index(row));
    scrollTo(currentIndex());
}

void TaskListView::keyPressEvent(QKeyEvent *event)
{
    const QModelIndex current = currentIndex();
    if (!current.isValid() || isRenaming()) {
        QListView::keyPressEvent(event);
        return;
    }
    const QUuid id = m_model->item(current.row()).id;
    const TaskRowModel row = m_model->rowModel(current.row());
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (event->modifiers() & Qt::AltModifier) {
            moveByKeyboard(event->key() == Qt::Key_Up ? -1 : 1);
            return;
        }
        break;
    case Qt::Key_Space:
        setStatus(id, row.markTarget);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (row.hasFocusButton)
            perform(id, TaskRowModel::Action::focus);
        return;
    case Qt::Key_F2:
        edit(current);
        return;
    case Qt::Key_Delete:
        // Only where the row offers deleting to the mouse too: done tasks.
        if (row.hasTrashButton)
            perform(id, TaskRowModel::Action::remove);
        return;
    case Qt::Key_Menu: {
        const QPoint at = visualRect(current).center();
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, viewport()->mapToGlobal(at));
        contextMenuEvent(&menu);
        return;
    }
    default:
        break;
    }
    QListView::keyPressEvent(event);
}

void TaskListView::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !index.isValid()) {
        QListView::mousePressEvent(event);
        return;
    }
    setCurrentIndex(index);
    m_pressedIndex = index;
    m_pressedPart = rowLayout(index.row()).partAt(event->position().toPoint());
    if (m_pressedPart == Part::title)
        m_pressedPart = Part::none;
    m_pressPosition = event->position().toPoint();
    m_delegate->setPressed(m_pressedIndex, m_pressedPart);
    viewport()->update(visualRect(index));
}

void TaskListView::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint position = event->position().toPoint();
    const bool grabbedRow = m_pressedIndex.isValid() && m_pressedPart == Part::none;
    if (grabbedRow && m_reorderable && (event->buttons() & Qt::LeftButton)) {
        if (!m_dragging && (position - m_pressPosition).manhattanLength() >= QApplication::startDragDistance()) {
            m_dragging = true;
            viewport()->setCursor(Qt::ClosedHandCursor);
        }
        if (m_dragging) {
            updateDrag(position);
            return;
        }
    }
    QListView::mouseMoveEvent(event);
}

void TaskListView::updateDrag(const QPoint &position)
{
    if (position.y() < kDragScrollMargin)
        verticalScrollBar()->setValue(verticalScrollBar()->value() - kDragScrollStep);
    else if (position.y() > viewport()->height() - kDragScrollMargin)
        verticalScrollBar()->setValue(verticalScrollBar()->value() + kDragScrollStep);
    m_dropGap = gapAt(position.y());
    viewport()->update();
}

void TaskListView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QListView::mouseReleaseEvent(event);
        return;
    }
    const QPoint position = event->position().toPoint();
    if (m_dragging) {
        finishDrag(position.y());
        return;
    }
    const QPersistentModelIndex pressed = m_pressedIndex;
    const Part part = m_pressedPart;
    cancelDrag();
    // A control acts when the button is let go over it, as a push button does.
    if (pressed.isValid() && part != Part::none && indexAt(position) == pressed &&
        rowLayout(pressed.row()).partAt(position) == part)
        press(pressed, part);
}

void TaskListView::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid()) {
        const Part part = rowLayout(index.row()).partAt(event->position().toPoint());
        if (part == Part::title) {
            edit(index);
            return;
        }
        // A second quick click on a control is another click, as on a button.
        if (part != Part::none) {
            mousePressEvent(event);
            return;
        }
    }
    QListView::mouseDoubleClickEvent(event);
}

int TaskListView::gapAt(int y) const
{
    const int count = m_model->rowCount();
    if (count == 0)
        return 0;
    const QModelIndex under = indexAt(QPoint(viewport()->width() / 2, y));
    if (under.isValid())
        return under.row() + (y > visualRect(under).center().y() ? 1 : 0);
    return y < visualRect(m_model->index(0)).top() ? 0 : count;
}

void TaskListView::finishDrag(int y)
{
    const int source = m_pressedIndex.isValid() ? m_pressedIndex.row() : -1;
    const int gap = gapAt(y);
    cancelDrag();
    // Dropping a row just before or after itself leaves the order as it is: no move, no save.
    if (source < 0 || gap == source || gap == source + 1)
        return;
    const QUuid id = m_model->item(source).id;
    m_todoManager.moveActiveTasks({qsizetype(source)}, qsizetype(gap));
    keepCurrent(id);
}

void TaskListView::cancelDrag()
{
    if (m_dragging)
        viewport()->unsetCursor();
    m_dragging = false;
    m_dropGap = -1;
    m_pressedIndex = QPersistentModelIndex();
    m_pressedPart = Part::none;
    m_delegate->setPressed({}, Part::none);
    viewport()->update();
}

void TaskListView::paintEvent(QPaintEvent *event)
{
    QListView::paintEvent(event);
    QPainter painter(viewport());
    const QPalette &colours = palette();
    if (m_model->rowCount() == 0) {
        const QColor secondary = NamedColors::resolve(ColorRole::secondary, colours);
        const QRect symbol(0, kEmptyStateTop, viewport()->width(), kEmptySymbolSize);
        painter.setFont(SymbolGlyphs::font(kEmptySymbolSize));
        painter.setPen(secondary);
        painter.drawText(symbol, Qt::AlignCenter, SymbolGlyphs::glyph(m_emptyState.symbol));
        const QFont font = Fonts::system(Fonts::kSubheadline);
        painter.setFont(font);
        painter.drawText(QRect(0, symbol.bottom() + 7, viewport()->width(), QFontMetrics(font).height()),
                         Qt::AlignCenter, m_emptyState.text);
    }
    if (m_dragging && m_dropGap >= 0 && m_model->rowCount() > 0) {
        const int count = m_model->rowCount();
        const int lineY = m_dropGap < count ? visualRect(m_model->index(m_dropGap)).top()
                                            : visualRect(m_model->index(count - 1)).bottom();
        painter.fillRect(QRect(8, qMax(0, lineY - 1), viewport()->width() - 16, 2),
                         NamedColors::resolve(ColorRole::blue, colours));
    }
}

void TaskListView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        m_delegate->forgetMetrics();
        scheduleDelayedItemsLayout();
    }
    QListView::changeEvent(event);
}
