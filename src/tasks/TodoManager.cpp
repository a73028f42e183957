#include "TodoManager.h"

#include "platform/Logger.h"
#include "platform/Platform.h"
#include "storage/Durations.h"

#include <algorithm>

TodoManager::TodoManager(Platform &platform, QObject *parent)
    : QObject(parent),
      m_platform(platform),
      m_store(platform),
      m_clock(platform.mainLoop)
{
    connect(&m_clock, &FocusClock::taskIdChanged, this, &TodoManager::currentTaskIdChanged);
    connect(&m_clock, &FocusClock::isRunningChanged, this, &TodoManager::isTrackingChanged);
    connect(&m_clock, &FocusClock::sessionSecondsChanged, this, &TodoManager::currentSessionSecondsChanged);
    connect(&m_clock, &FocusClock::creditDue, this, &TodoManager::creditFocus);
    const QList<TodoItem> &tasks = m_store.items();
    const auto inProgress = std::find_if(tasks.cbegin(), tasks.cend(),
                                         [](const TodoItem &item) { return item.status == TodoStatus::inProgress; });
    if (inProgress != tasks.cend())
        m_clock.select(inProgress->id);
}

TodoManager::~TodoManager() = default;

TodoManager &TodoManager::shared()
{
    static TodoManager *instance = new TodoManager(Platform::current());
    return *instance;
}

void TodoManager::ensureDataDirectory() { m_store.ensureFolder(); }

QList<DataNotice> TodoManager::dataNotices() const { return m_store.notices(); }

void TodoManager::saveItems() { m_store.save(); }

void TodoManager::itemsDidChange()
{
    emit itemsChanged();
    m_store.save();
}

Instant TodoManager::now() const { return m_platform.mainLoop.now(); }

QList<TodoItem> TodoManager::activeItems() const { return m_store.activeItems(); }

QList<TodoItem> TodoManager::doneItems() const { return m_store.doneItems(); }

void TodoManager::addTask(const QString &title)
{
    m_store.items().append(TodoItem::make(title, now()));
    itemsDidChange();
}

void TodoManager::renameTask(const QUuid &id, const QString &title)
{
    const qsizetype index = m_store.indexOf(id);
    if (index < 0)
        return;
    m_store.items()[index].title = title;
    itemsDidChange();
}

void TodoManager::setStatus(const QUuid &id, TodoStatus status)
{
    const qsizetype index = m_store.indexOf(id);
    if (index < 0)
        return;
    QList<TodoItem> &tasks = m_store.items();
    const TodoStatus oldStatus = tasks[index].status;
    const std::optional<QUuid> current = m_clock.taskId();

    if (status == TodoStatus::inProgress) {
        if (current && *current != id)
            stopTracking();
        for (TodoItem &item : tasks) {
            if (item.id != id && item.status == TodoStatus::inProgress)
                item.status = TodoStatus::todo;
        }
        m_clock.select(id);
    } else if (oldStatus == TodoStatus::inProgress && current == id) {
        stopTracking();
    }

    tasks[index].status = status;
    if (status == TodoStatus::done) {
        tasks[index].completedAt = now();
        const auto next = std::find_if(tasks.cbegin(), tasks.cend(),
                                       [](const TodoItem &item) { return item.status == TodoStatus::todo; });
        if (next != tasks.cend()) {
            // Index, not iterator: crediting below changes the list.
            const qsizetype nextIndex = next - tasks.cbegin();
            const QUuid nextId = next->id;
            // The task losing its place as current may be another one, with its clock running:
            // its focus session is credited before the next task takes over, and the clock
            // stops so that the next re-evaluation of tracking starts the new task's clock.
            if (m_clock.taskId() && *m_clock.taskId() != nextId)
                stopTracking();
            tasks[nextIndex].status = TodoStatus::inProgress;
            m_clock.select(nextId);
        }
    } else {
        tasks[index].completedAt.reset();
    }
    itemsDidChange();
}

void TodoManager::moveActiveTasks(const QList<qsizetype> &fromOffsets, qsizetype toOffset)
{
    const QList<TodoItem> active = m_store.activeItems();
    QList<TodoItem> done;
    std::copy_if(m_store.items().cbegin(), m_store.items().cend(), std::back_inserter(done),
                 [](const TodoItem &item) { return item.status == TodoStatus::done; });

    QList<bool> moving(active.size(), false);
    for (const qsizetype offset : fromOffsets) {
        if (offset >= 0 && offset < active.size())
            moving[offset] = true;
    }
    QList<TodoItem> moved;
    QList<TodoItem> staying;
    qsizetype insertAt = 0;
    for (qsizetype i = 0; i < active.size(); ++i) {
        if (moving[i]) {
            moved.append(active[i]);
        } else {
            staying.append(active[i]);
            if (i < toOffset)
                ++insertAt;
        }
    }
    for (qsizetype i = 0; i < moved.size(); ++i)
        staying.insert(insertAt + i, moved[i]);

    m_store.items() = staying + done;
    itemsDidChange();
}

void TodoManager::deleteTask(const QUuid &id)
{
    if (m_clock.taskId() == id)
        stopTracking();
    const auto removed = m_store.items().removeIf([&id](const TodoItem &item) { return item.id == id; });
    if (removed > 0)
        emit itemsChanged();
    m_store.save();
}

std::optional<QString> TodoManager::currentTaskTitle() const
{
    const std::optional<QUuid> current = m_clock.taskId();
    const qsizetype index = current ? m_store.indexOf(*current) : -1;
    if (index < 0)
        return std::nullopt;
    return m_store.items()[index].title;
}

void TodoManager::resumeTracking() { m_clock.resume(); }

void TodoManager::pauseTracking(std::optional<Instant> stretchEnd)
{
    if (m_clock.pause(stretchEnd))
        creditFocus();
}

void TodoManager::stopTracking()
{
    m_clock.stop();
    if (const auto current = m_clock.taskId())
        saveFocusTime(*current);
    m_clock.select(std::nullopt);
}

void TodoManager::creditFocus()
{
    if (const auto current = m_clock.taskId())
        saveFocusTime(*current);
}

void TodoManager::saveFocusTime(const QUuid &id)
{
    const bool isCurrent = id == m_clock.taskId();
    const qint64 total = m_clock.sessionSecondsNow() - (isCurrent ? m_clock.creditedSeconds() : 0);
    if (total <= 0)
        return;
    const qsizetype index = m_store.indexOf(id);
    if (index < 0)
        return;
    if (isCurrent)
        m_clock.markCredited(total);
    TodoItem &item = m_store.items()[index];
    item.totalFocusSeconds = Durations::add(std::max<qint64>(0, item.totalFocusSeconds), total);
    const QString line = QStringLiteral("DEBUG: Saved %1s to task '%2', total: %3s")
                             .arg(total)
                             .arg(item.title)
                             .arg(item.totalFocusSeconds);
    itemsDidChange();
    m_platform.log.line(line);
}

void TodoManager::updateCurrentSessionSeconds() { m_clock.refresh(); }

qint64 TodoManager::displayedFocusSeconds(const TodoItem &item) const
{
    const qsizetype index = m_store.indexOf(item.id);
    if (index < 0)
        return item.totalFocusSeconds;
    // Of the running session, what is not in the total yet.
    const qint64 running = m_clock.taskId() == item.id ? m_clock.sessionSeconds() - m_clock.creditedSeconds() : 0;
    return Durations::add(m_store.items()[index].totalFocusSeconds, std::max<qint64>(0, running));
}
