#pragma once

#include "appstate/AppSection.h"
#include "ui/common/TimerSnapshot.h"
#include "ui/common/style/ColorRole.h"

#include <QString>

#include <optional>
#include <vector>

// The tray's panel and its right-click menu show the same things, decided here once.
struct MenuBarPanelModel {
    enum class Action { takeBreakNow, remindAnyway, focusBoard, stats, settings, about, quit };

    struct Entry {
        Action action;
        QString symbol;
        QString text;
        ColorRole color = ColorRole::primary;

        bool operator==(const Entry &) const = default;
    };

    struct Inputs {
        TimerSnapshot timer;
        bool userPresent = false; // the activity monitor's presence, not the timer's
        qint64 completedSessionsToday = 0;
        qint64 longBreakEvery = 4;
        std::optional<QString> currentTaskTitle; // only when the current id names an item
        QString holdText;                        // empty unless reminders are held
    };

    QString statusText;
    ColorRole statusColor = ColorRole::gray;
    QString longBreakCounterText; // the count immediately followed by "☕"
    std::optional<QString> currentTaskTitle;
    std::optional<QString> holdText;       // "Holding reminders: camera in use"
    std::optional<Entry> takeBreakNow;     // only while a snooze runs
    std::optional<Entry> remindAnyway;     // only while reminders are held
    std::vector<Entry> sectionEntries;     // "Focus Board", "Stats", "Settings"
    std::vector<Entry> applicationEntries; // "About Pelmix", "Quit Pelmix"

    static MenuBarPanelModel make(const Inputs &inputs);

    // Work sessions until the next long break: `every` − (`completed` mod `every`), 0 when
    // long breaks are off (`every` 0 or less).
    static qint64 longBreakCounter(qint64 completed, qint64 every);

    // The main window section an entry opens, if it opens one.
    static std::optional<AppSection> sectionFor(Action action);

    bool operator==(const MenuBarPanelModel &) const = default;
};
