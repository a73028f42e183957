#include "TodoManager.h"

#include "platform/Logger.h"
#include "platform/Platform.h"
#include "storage/Durations.h"
#include "tasks/TodoCodec.h"

#include <QPointer>

#include <algorithm>
#include <cmath>

TodoManager::TodoManager(Platform &platform, QObject *parent)
    : QObject(parent),
      m_platform(platform),
      m_file(platform, QStringLiteral("todos.json"), QStringLiteral("TodoManager"))
{
    // A stretch keeps its length when the wall clock is set.
    m_wallClockSteps = platform.mainLoop.onWallClockStep([this](double step) {
        if (m_focusStartTime)
            m_focusStartTime = m_focusStartTime->addSeconds(step);
    });
    ensureDataDirectory();
    loadItems();
}

TodoManager::~TodoManager() = default;

TodoManager &TodoManager::shared()
{
    static TodoManager *instance = new TodoManager(Platform::current());
    return *instance;
}

void TodoManager::ensureDataDirectory() { m_file.ensureFolder(); }

QList<DataNotice> TodoManager::dataNotices() const
{
    return DataNotice::about(m_file, QStringLiteral("task list"), QStringLiteral("tasks"));
}

void TodoManager::loadItems()
{
    auto decoded = m_file.load(TodoCodec::decode);
    if (!decoded)
        return;
    m_items = std::move(*decoded);
    const auto inProgress = std::find_if(m_items.cbegin(), m_items.cend(),
                                         [](const TodoItem &item) { return item.status == TodoStatus::inProgress; });
    if (inProgress != m_items.cend())
        m_currentTaskId = inProgress->id;
}

void TodoManager::saveItems()
{
    if (const auto bytes = TodoCodec::encode(m_items))
        m_file.write(*bytes);
}

void TodoManager::itemsDidChange()
{
    emit itemsChanged();
    saveItems();
}

Instant TodoManager::now() const { return m_platform.mainLoop.now(); }

qsizetype TodoManager::indexOf(const QUuid &id) const
{
    const auto found =
        std::find_if(m_items.cbegin(), m_items.cend(), [&id](const TodoItem &item) { return item.id == id; });
    return found == m_items.cend() ? -1 : found - m_items.cbegin();
}

QList<TodoItem> TodoManager::activeItems() const
{
    QList<TodoItem> result;
    std::copy_if(m_items.cbegin(), m_items.cend(), std::back_inserter(result),
                 [](const TodoItem &item) { return item.status != TodoStatus::done; });
    return result;
}

QList<TodoItem> TodoManager::doneItems() const
{
    QList<TodoItem> result;
    std::copy_if(m_items.cbegin(), m_items.cend(), std::back_inserter(result),
                 [](const TodoItem &item) { return item.status == TodoStatus::done; });
    std::stable_sort(result.begin(), result.end(), [](const TodoItem &a, const TodoItem &b) {
        // A task without a completion time sorts as completed at the earliest possible instant.
        if (!b.completedAt)
            return a.completedAt.has_value();
        return a.completedAt && *a.completedAt > *b.completedAt;
    });
    return result;
}

void TodoManager::addTask(const QString &title)
{
    m_items.append(TodoItem::make(title, now()));
    itemsDidChange();
}

void TodoManager::renameTask(const QUuid &id, const QString &title)
{
    const qsizetype index = indexOf(id);
    if (index < 0)
        return;
    m_items[index].title = title;
    itemsDidChange();
}

void TodoManager::setStatus(const QUuid &id, TodoStatus status)
{
    const qsizetype index = indexOf(id);
    if (index < 0)
        return;
    const TodoStatus oldStatus = m_items[index].status;

    if (status == TodoStatus::inProgress) {
        if (m_currentTaskId && *m_currentTaskId != id)
            stopTracking();
        for (TodoItem &item : m_items) {
            if (item.id != id && item.status == TodoStatus::inProgress)
                item.status = TodoStatus::todo;
        }
        selectCurrentTask(id);
    } else if (oldStatus == TodoStatus::inProgress && m_currentTaskId == id) {
        stopTracking();
    }

    m_items[index].status = status;
    if (status == TodoStatus::done) {
        m_items[index].completedAt = now();
        const auto next = std::find_if(m_items.cbegin(), m_items.cend(),
                                       [](const TodoItem &item) { return item.status == TodoStatus::todo; });
        if (next != m_items.cend()) {
            // Index, not iterator: crediting below changes the list.
            const qsizetype nextIndex = next - m_items.cbegin();
            const QUuid nextId = next->id;
            // The task losing its place as current may be another one, with its clock running:
            // its focus session is credited before the next task takes over, and the clock
            // stops so that the next re-evaluation of tracking starts the new task's clock.
            if (m_currentTaskId && *m_currentTaskId != nextId)
                stopTracking();
            m_items[nextIndex].status = TodoStatus::inProgress;
            selectCurrentTask(nextId);
        }
    } else {
        m_items[index].completedAt.reset();
    }
    itemsDidChange();
}

void TodoManager::moveActiveTasks(const QList<qsizetype> &fromOffsets, qsizetype toOffset)
{
    QList<TodoItem> active = activeItems();
    QList<TodoItem> done;
    std::copy_if(m_items.cbegin(), m_items.cend(), std::back_inserter(done),
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

    m_items = staying + done;
    itemsDidChange();
}

void TodoManager::deleteTask(const QUuid &id)
{
    if (m_currentTaskId == id)
        stopTracking();
    const auto removed = m_items.removeIf([&id](const TodoItem &item) { return item.id == id; });
    if (removed > 0)
        emit itemsChanged();
    saveItems();
}

std::optional<QString> TodoManager::currentTaskTitle() const
{
    if (!m_currentTaskId)
        return std::nullopt;
    const qsizetype index = indexOf(*m_currentTaskId);
    if (index < 0)
        return std::nullopt;
    return m_items[index].title;
}

qint64 TodoManager::runningStretchSeconds() const
{
    if (!m_focusStartTime)
        return 0;
    // Truncated toward zero, never negative.
    return std::max<qint64>(0, static_cast<qint64>(std::trunc(now().secondsSince(*m_focusStartTime))));
}

void TodoManager::resumeTracking()
{
    if (m_isTracking || !m_currentTaskId)
        return;
    setTracking(true);
    m_focusStartTime = now();
    invalidate(m_timer);
    MainLoop &loop = m_platform.mainLoop;
    m_timer = loop.scheduleRepeating(1.0, [self = QPointer<TodoManager>(this), &loop] {
        loop.post([self] {
            if (self)
                self->updateCurrentSessionSeconds();
        });
    });
}

void TodoManager::pauseTracking(std::optional<Instant> stretchEnd)
{
    if (!m_isTracking)
        return;
    setTracking(false);
    if (m_focusStartTime) {
        // The user left at `stretchEnd`, but not before this stretch began.
        const Instant end = stretchEnd ? std::clamp(*stretchEnd, *m_focusStartTime, now()) : now();
        m_accumulatedSeconds += static_cast<qint64>(std::trunc(end.secondsSince(*m_focusStartTime)));
        m_focusStartTime.reset();
    }
    invalidate(m_timer);
    updateCurrentSessionSeconds();
    creditFocus();
}

void TodoManager::stopTracking()
{
    invalidate(m_timer);
    setTracking(false);
    if (m_currentTaskId)
        saveFocusTime(*m_currentTaskId);
    m_focusStartTime.reset();
    m_accumulatedSeconds = 0;
    m_creditedSeconds = 0;
    setCurrentSessionSeconds(0);
    setCurrentTaskId(std::nullopt);
}

void TodoManager::creditFocus()
{
    if (m_currentTaskId)
        saveFocusTime(*m_currentTaskId);
}

void TodoManager::saveFocusTime(const QUuid &id)
{
    const qint64 total = m_accumulatedSeconds + runningStretchSeconds() - (id == m_currentTaskId ? m_creditedSeconds : 0);
    if (total <= 0)
        return;
    const qsizetype index = indexOf(id);
    if (index < 0)
        return;
    if (id == m_currentTaskId)
        m_creditedSeconds += total;
    TodoItem &item = m_items[index];
    item.totalFocusSeconds = Durations::add(std::max<qint64>(0, item.totalFocusSeconds), total);
    const QString line = QStringLiteral("DEBUG: Saved %1s to task '%2', total: %3s")
                             .arg(total)
                             .arg(item.title)
                             .arg(item.totalFocusSeconds);
    itemsDidChange();
    m_platform.log.line(line);
}

void TodoManager::updateCurrentSessionSeconds()
{
    setCurrentSessionSeconds(m_accumulatedSeconds + runningStretchSeconds());
    if (m_currentSessionSeconds - m_creditedSeconds >= kCreditEverySeconds)
        creditFocus();
}

qint64 TodoManager::displayedFocusSeconds(const TodoItem &item) const
{
    const qsizetype index = indexOf(item.id);
    if (index < 0)
        return item.totalFocusSeconds;
    // Of the running session, what is not in the total yet.
    const qint64 running = m_currentTaskId == item.id ? m_currentSessionSeconds - m_creditedSeconds : 0;
    return Durations::add(m_items[index].totalFocusSeconds, std::max<qint64>(0, running));
}

void TodoManager::selectCurrentTask(const QUuid &id)
{
    setCurrentTaskId(id);
    m_accumulatedSeconds = 0;
    m_creditedSeconds = 0;
    setCurrentSessionSeconds(0);
    m_focusStartTime.reset();
}

void TodoManager::setCurrentTaskId(std::optional<QUuid> id)
{
    if (m_currentTaskId == id)
        return;
    m_currentTaskId = id;
    emit currentTaskIdChanged();
}

void TodoManager::setTracking(bool tracking)
{
    if (m_isTracking == tracking)
        return;
    m_isTracking = tracking;
    emit isTrackingChanged();
}

void TodoManager::setCurrentSessionSeconds(qint64 seconds)
{
    if (m_currentSessionSeconds == seconds)
        return;
    m_currentSessionSeconds = seconds;
    emit currentSessionSecondsChanged();
}
