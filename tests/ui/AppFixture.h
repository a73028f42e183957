#pragma once

// The application state over the fake managers, for the view tests: fresh stores in a
// temporary folder, onboarding done, and time on the fake main loop.
#include "activity/ActivityMonitor.h"
#include "app/AppState.h"
#include "support/FakeManagers.h"
#include "timer/WorkTimer.h"

#include <QUuid>

struct AppFixture {
    FakeManagers managers{[](QSettings &preferences) { preferences.setValue("hasCompletedOnboarding", true); }};
    FakePlatform &fake = managers.fake;
    UserSettings &settings = *managers.settings;
    TodoManager &todos = *managers.todos;
    AppState appState{fake.platform(), *managers.stats, todos, settings, *managers.notifications};

    AppFixture() { fake.mainLoop.runPending(); }

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

    static QStringList titles(const QList<TodoItem> &items)
    {
        QStringList result;
        for (const TodoItem &candidate : items)
            result << candidate.title;
        return result;
    }
};
