#pragma once

#include "FakePlatform.h"
#include "app/AppState.h"
#include "notifications/NotificationManager.h"
#include "settings/UserSettings.h"
#include "stats/StatsManager.h"
#include "tasks/TodoManager.h"

#include <memory>

// The whole application state over fake platform services, as the screens receive it.
// `startAt` places the clock before anything reads it.
struct FakeApp {
    explicit FakeApp(std::optional<Instant> startAt = std::nullopt)
    {
        if (startAt)
            fake.mainLoop.setNow(*startAt);
        settings = std::make_unique<UserSettings>(fake.platform());
        stats = std::make_unique<StatsManager>(fake.platform());
        todos = std::make_unique<TodoManager>(fake.platform());
        notifications = std::make_unique<NotificationManager>(fake.platform());
        appState = std::make_unique<AppState>(fake.platform(), *stats, *todos, *settings, *notifications);
    }

    FakePlatform fake;
    std::unique_ptr<UserSettings> settings;
    std::unique_ptr<StatsManager> stats;
    std::unique_ptr<TodoManager> todos;
    std::unique_ptr<NotificationManager> notifications;
    std::unique_ptr<AppState> appState;
};
