#pragma once

// The whole application state over fake platform services, as the screens receive it: fresh
// stores in a temporary folder and time on the fake main loop, starting at `now` when given.
#include "FakeManagers.h"
#include "activity/ActivityMonitor.h"
#include "app/AppState.h"
#include "timer/WorkTimer.h"

#include <QUuid>

#include <optional>

// The preferences of a user who has finished the first-run flow.
inline void onboarded(QSettings &preferences) { preferences.setValue("hasCompletedOnboarding", true); }

struct FakeApp {
    explicit FakeApp(const std::function<void(QSettings &)> &preferences = {},
                     std::optional<Instant> now = std::nullopt)
        : managers(preferences),
          fake(startAt(managers.fake, now))
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
    static FakePlatform &startAt(FakePlatform &fake, std::optional<Instant> now)
    {
        if (now)
            fake.mainLoop.setNow(*now);
        return fake;
    }
};
