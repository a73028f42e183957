#pragma once

#include "FakePlatform.h"
#include "activity/ActivityMonitor.h"
#include "appstate/AppState.h"
#include "notifications/NotificationManager.h"
#include "settings/UserSettings.h"
#include "stats/StatsManager.h"
#include "tasks/TodoManager.h"
#include "timer/WorkTimer.h"

#include <QUuid>

#include <functional>
#include <memory>
#include <optional>

// The shared stores and the notification manager over fake platform services, built after
// the test has written the preferences it needs.
struct FakeManagers {
    explicit FakeManagers(const std::function<void(QSettings &)> &preferences = {})
    {
        if (preferences)
            preferences(*fake.preferences);
        settings = std::make_unique<UserSettings>(fake.platform());
        stats = std::make_unique<StatsManager>(fake.platform());
        todos = std::make_unique<TodoManager>(fake.platform());
        notifications = std::make_unique<NotificationManager>(fake.platform());
    }

    FakePlatform fake;
    std::unique_ptr<UserSettings> settings;
    std::unique_ptr<StatsManager> stats;
    std::unique_ptr<TodoManager> todos;
    std::unique_ptr<NotificationManager> notifications;
};

// The preferences of a user who has finished the first-run flow.
inline void onboarded(QSettings &preferences) { preferences.setValue("hasCompletedOnboarding", true); }

// The whole application state over the fakes, as the screens receive it, with time starting
// at `now` when given.
struct FakeApp {
    explicit FakeApp(const std::function<void(QSettings &)> &preferences = {},
                     std::optional<Instant> now = std::nullopt)
        : managers(preferences),
          fake(startingAt(managers.fake, now))
    {
        fake.mainLoop.runPending();
    }

    FakeManagers managers;
    FakePlatform &fake;
    UserSettings &settings = *managers.settings;
    StatsManager &stats = *managers.stats;
    TodoManager &todos = *managers.todos;
    AppState appState{fake.platform(), stats, todos, settings, *managers.notifications};

    // Starts monitoring, which counts the user present at once.
    void startPresent()
    {
        appState.start();
        fake.mainLoop.runPending();
    }

    ActivityMonitor &monitor() { return appState.activityMonitor(); }
    WorkTimer &timer() { return appState.workTimer(); }

    // One key press, handled at once.
    void input()
    {
        fake.input.simulateInput();
        fake.mainLoop.runPending();
    }

    // The user keeps typing for `seconds` of virtual time, one key a second.
    void work(int seconds)
    {
        for (int i = 0; i < seconds; ++i) {
            fake.input.simulateInput();
            fake.mainLoop.advance(1);
        }
    }

    QUuid addTask(const QString &title)
    {
        todos.addTask(title);
        return todos.items().last().id;
    }

    // A new task made current, as its status mark makes it.
    QUuid addCurrentTask(const QString &title)
    {
        const QUuid id = addTask(title);
        todos.setStatus(id, TodoStatus::inProgress);
        appState.syncTaskTracking();
        return id;
    }

    TodoItem item(const QUuid &id) const
    {
        for (const TodoItem &candidate : todos.items()) {
            if (candidate.id == id)
                return candidate;
        }
        return {};
    }

    static QStringList titles(const QList<TodoItem> &items)
    {
        QStringList result;
        for (const TodoItem &candidate : items)
            result << candidate.title;
        return result;
    }

private:
    static FakePlatform &startingAt(FakePlatform &fake, std::optional<Instant> now)
    {
        if (now)
            fake.mainLoop.setNow(*now);
        return fake;
    }
};
