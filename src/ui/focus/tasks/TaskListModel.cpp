#include "TaskListModel.h"

#include "platform/MainLoop.h"
#include "tasks/TodoManager.h"
#include "ui/common/format/DurationFormat.h"

#include <QHash>
#include <QSet>

#include <cmath>
#include <utility>

namespace {
// Past this many added or removed rows the view is better off starting over.
constexpr qsizetype kMostRowChanges = 64;

bool sameIds(const QList<TodoItem> &a, const QList<TodoItem> &b)
{
    return std::equal(a.cbegin(), a.cend(), b.cbegin(), b.cend(),
                      [](const TodoItem &x, const TodoItem &y) { return x.id == y.id; });
}

QSet<QUuid> idsOf(const QList<TodoItem> &items)
{
    QSet<QUuid> ids;
    ids.reserve(items.size());
    for (const TodoItem &item : items)
        ids.insert(item.id);
    return ids;
}
} // namespace

TaskListModel::TaskListModel(TodoManager &todoManager, const MainLoop &clock, QObject *parent)
    : QAbstractListModel(parent),
      m_todoManager(todoManager),
      m_clock(clock)
{}

bool TaskListModel::isCurrent(const TodoItem &item) const { return m_currentId && *m_currentId == item.id; }

std::pair<bool, bool> TaskListModel::linesOf(const TodoItem &item) const
{
    // As the row model decides them, from what is known without the running session.
    return {item.totalFocusSeconds > 0 || isCurrent(item),
            item.status == TodoStatus::done && item.completedAt.has_value()};
}

void TaskListModel::setItems(const QList<TodoItem> &items)
{
    if (sameIds(m_items, items)) {
        const QList<TodoItem> before = std::exchange(m_items, items);
        bool heightsChanged = false;
        for (qsizetype row = 0; row < items.size(); ++row) {
            if (before[row] == items[row])
                continue;
            emit dataChanged(index(int(row)), index(int(row)));
            heightsChanged |= linesOf(before[row]) != linesOf(items[row]);
        }
        if (heightsChanged)
            emit rowHeightsChanged();
        refreshShown();
        return;
    }
    const QSet<QUuid> before = idsOf(m_items);
    const QSet<QUuid> after = idsOf(items);
    const qsizetype changes = (before - after).size() + (after - before).size();
    if (changes > kMostRowChanges) {
        beginResetModel();
        m_items = items;
        endResetModel();
        refreshShown();
        return;
    }
    // Rows out, then rows in, each where it falls among the rows already there; whatever order
    // is left to mend is a move of rows the view keeps track of. The view lays the rows out
    // again after each of these.
    for (qsizetype row = m_items.size() - 1; row >= 0; --row) {
        if (after.contains(m_items[row].id))
            continue;
        beginRemoveRows({}, int(row), int(row));
        m_items.removeAt(row);
        endRemoveRows();
    }
    for (qsizetype at = 0; at < items.size(); ++at) {
        if (before.contains(items[at].id))
            continue;
        const qsizetype row = qMin(at, m_items.size());
        beginInsertRows({}, int(row), int(row));
        m_items.insert(row, items[at]);
        endInsertRows();
    }
    if (!sameIds(m_items, items))
        reorder(items);
    // The rows that stayed may have changed too.
    m_items = items;
    if (!m_items.isEmpty())
        emit dataChanged(index(0), index(int(m_items.size()) - 1));
    refreshShown();
}

void TaskListModel::reorder(const QList<TodoItem> &items)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    QHash<QUuid, int> rowOfId;
    rowOfId.reserve(items.size());
    for (qsizetype row = 0; row < items.size(); ++row)
        rowOfId.insert(items[row].id, int(row));
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex &index : from)
        to.append(this->index(rowOfId.value(m_items[index.row()].id)));
    changePersistentIndexList(from, to);
    m_items = items;
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TaskListModel::refreshShown()
{
    const std::optional<QUuid> previousCurrent = std::exchange(m_currentId, m_todoManager.currentTaskId());
    // Only what can read differently is redrawn: the current task's running time, and the
    // completion times, which count in minutes and more. A whole list redrawn every second
    // would cost a full window update each time.
    const auto minute = qint64(std::floor(m_clock.now().unixSeconds() / 60));
    const bool completionsMoved = minute != m_shownMinute;
    m_shownMinute = minute;
    if (completionsMoved && !m_items.isEmpty()) {
        emit dataChanged(index(0), index(int(m_items.size()) - 1));
    } else {
        for (const auto &id : {previousCurrent, m_currentId}) {
            if (const int row = id ? rowOf(*id) : -1; row >= 0)
                emit dataChanged(index(row), index(row));
        }
    }
    // The current task always shows its focus line: a new current task may change two heights.
    if (previousCurrent != m_currentId)
        emit rowHeightsChanged();
}

int TaskListModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_items.size()); }

TaskRowModel TaskListModel::rowModel(int row) const
{
    const TodoItem &task = m_items.at(row);
    TaskRowModel::Inputs inputs;
    inputs.status = task.status;
    inputs.isCurrent = isCurrent(task);
    inputs.focusSeconds = inputs.isCurrent ? m_todoManager.displayedFocusSeconds(task) : task.totalFocusSeconds;
    inputs.currentSessionSeconds = m_todoManager.currentSessionSeconds();
    inputs.completedAt = task.completedAt;
    inputs.now = m_clock.now();
    return TaskRowModel::make(inputs);
}

std::pair<bool, bool> TaskListModel::lines(int row) const { return linesOf(m_items.at(row)); }

int TaskListModel::rowOf(const QUuid &id) const
{
    for (qsizetype row = 0; row < m_items.size(); ++row) {
        if (m_items[row].id == id)
            return int(row);
    }
    return -1;
}

QVariant TaskListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_items.size())
        return {};
    const TodoItem &task = m_items[index.row()];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::AccessibleTextRole:
        return task.title;
    case Qt::AccessibleDescriptionRole: {
        const TaskRowModel model = rowModel(index.row());
        QStringList parts{task.status == TodoStatus::todo         ? QStringLiteral("To do")
                          : task.status == TodoStatus::inProgress ? QStringLiteral("In progress")
                                                                  : QStringLiteral("Done")};
        if (model.showFocusLine)
            parts << QStringLiteral("%1 focused").arg(model.focusText);
        if (model.completionText)
            parts << *model.completionText;
        return parts.join(QStringLiteral(", "));
    }
    default:
        return {};
    }
}

bool TaskListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid())
        return false;
    const TodoItem &task = m_items[index.row()];
    const auto title = TaskRowModel::renamedTitle(value.toString(), task.title);
    if (!title)
        return false;
    // The manager announces the change, and the board hands the new title back.
    m_todoManager.renameTask(task.id, *title);
    return true;
}

Qt::ItemFlags TaskListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemNeverHasChildren;
}
