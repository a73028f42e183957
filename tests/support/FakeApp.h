#pragma once

#include "FakeManagers.h"
#include "app/AppState.h"

#include <memory>
#include <optional>

// The whole application state over fake platform services, as the screens receive it, with
// the clock at `now` when given.
struct FakeApp : FakeManagers {
    explicit FakeApp(std::optional<Instant> now = std::nullopt)
    {
        if (now)
            fake.mainLoop.setNow(*now);
        appState = std::make_unique<AppState>(fake.platform(), *stats, *todos, *settings, *notifications);
    }

    std::unique_ptr<AppState> appState;
};
