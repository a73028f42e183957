#pragma once

#include "tasks/FocusClock.h"
#include "tasks/TaskStore.h"

#include <QList>
#include <QObject>

#include <optional>

struct Platform;

// The task list (a TaskStore, kept in todos.json) and the focus clock of the current task
// (a FocusClock): while the clock runs, the current task gathers focused seconds, credited to
// it at the end of each stretch and every few minutes. This class keeps the two in step.
class TodoManager : public QObject {
    Q_OBJECT
    Q_PROPERTY(QList<TodoItem> items READ items NOTIFY itemsChanged)
    Q_PROPERTY(qint64 currentSessionSeconds READ currentSessionSeconds NOTIFY currentSessionSecondsChanged)
    Q_PROPERTY(bool isTracking READ isTracking NOTIFY isTrackingChanged)

public:
    // Creates the data folder and reads the list; the first task in progress becomes current,
    // with its clock paused.
    explicit TodoManager(Platform &platform, QObject *parent = nullptr);
    ~TodoManager() override;

    static TodoManager &shared();

    // In board order.
    const QList<TodoItem> &items() const { return m_store.items(); }
    // The tasks not done, in list order: the board's active list, which moveActiveTasks() reorders.
    QList<TodoItem> activeItems() const;
    // The done tasks, most recently completed first; a task without completion time comes last.
    QList<TodoItem> doneItems() const;

    void addTask(const QString &title);
    void renameTask(const QUuid &id, const QString &title);
    // Setting a task in progress makes it current; marking any task done makes the first task
    // to do current. Callers then let the application state re-evaluate tracking.
    void setStatus(const QUuid &id, TodoStatus status);
    // Moves the active items at `fromOffsets` before the one at `toOffset` (the count of
    // active items moves them to the end); done items follow the active ones.
    void moveActiveTasks(const QList<qsizetype> &fromOffsets, qsizetype toOffset);
    // Credits the task's running focus time first when it is the current one.
    void deleteTask(const QUuid &id);

    void saveItems();
    QString todosFilePath() const { return m_store.file().path(); }
    // The task file, with what went wrong reading or saving it.
    const DataFile &dataFile() const { return m_store.file(); }
    // What the user is told about that file, while anything is wrong with it.
    QList<DataNotice> dataNotices() const;
    void ensureDataDirectory();

    // Focus tracking. A focus session runs from a task becoming current to stopTracking(); it
    // is made of stretches from resumeTracking() to pauseTracking().
    std::optional<QUuid> currentTaskId() const { return m_clock.taskId(); }
    // The title of the current task, for the sessions the work timer records.
    std::optional<QString> currentTaskTitle() const;
    bool isTracking() const { return m_clock.isRunning(); }
    std::optional<Instant> focusStartTime() const { return m_clock.stretchStart(); }
    qint64 accumulatedSeconds() const { return m_clock.accumulatedSeconds(); }
    // Banked seconds plus the running stretch's, as of the last refresh (once a second).
    qint64 currentSessionSeconds() const { return m_clock.sessionSeconds(); }

    void resumeTracking();
    // A stretch that ended before now (the user left earlier) is credited up to `stretchEnd`.
    void pauseTracking(std::optional<Instant> stretchEnd = std::nullopt);
    // Credits the focus session to the current task and clears the current task.
    void stopTracking();
    void saveFocusTime(const QUuid &id);
    // Adds what the current task is owed of its focus session to its total, and saves: at the
    // end of each stretch (so at every work session's end) and every kCreditEverySeconds, so
    // that a crash loses little.
    void creditFocus();
    static constexpr qint64 kCreditEverySeconds = FocusClock::kCreditEverySeconds;
    void updateCurrentSessionSeconds();
    // The task's stored total, plus the running session for the current task.
    qint64 displayedFocusSeconds(const TodoItem &item) const;

signals:
    void itemsChanged();
    void currentSessionSecondsChanged();
    void currentTaskIdChanged();
    void isTrackingChanged();

private:
    Instant now() const;
    void itemsDidChange();

    Platform &m_platform;
    TaskStore m_store;
    FocusClock m_clock;
};
