#pragma once

#include "FakePlatform.h"
#include "notifications/NotificationManager.h"
#include "settings/UserSettings.h"
#include "stats/StatsManager.h"
#include "tasks/TodoManager.h"

#include <functional>
#include <memory>

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
