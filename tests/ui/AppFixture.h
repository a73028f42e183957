#pragma once

// The application state over fake platform services, for the view tests: every manager is a
// fresh one in a temporary folder, and time is the fake main loop's.
#include "activity/ActivityMonitor.h"
#include "app/AppState.h"
#include "notifications/NotificationManager.h"
#include "settings/UserSettings.h"
#include "stats/StatsManager.h"
#include "support/FakePlatform.h"
#include "tasks/TodoManager.h"
#include "timer/WorkTimer.h"

#include <QUuid>

struct AppFixture {
    FakePlatform fake;
    UserSettings settings{fake.platform()};
    StatsManager stats{fake.platform()};
    TodoManager todos{fake.platform()};
    NotificationManager notifications{fake.platform()};
    AppState appState{fake.platform(), stats, todos, settings, notifications};

    AppFixture()
    {
        settings.setHasCompletedOnboarding(true);
        fake.mainLoop.runPending();
    }

    // Starts monitoring, which counts the user present at once.
    void startPresent()
    {
        appState.start();
        fake.mainLoop.runPending();
    }

    // The user keeps typing for `seconds` of virtual time.
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

    QStringList titles(const QList<TodoItem> &items) const
    {
        QStringList result;
        for (const TodoItem &candidate : items)
            result << candidate.title;
        return result;
    }
};
