#pragma once

#include "ui/common/TimerSnapshot.h"

#include <QString>

// What the tray item shows: the state symbol and the time left in the current phase. The
// snooze and the pause flag change neither.
struct MenuBarLabelModel {
    QString symbol;
    qint64 secondsLeft = 0; // never negative
    QString timeText;       // "%d:%02d"
    QString holdText;       // "Holding reminders: camera in use", or empty

    static MenuBarLabelModel make(const TimerSnapshot &timer, const QString &holdText = {});

    // The time, and on a line of its own why reminders wait, if they do.
    QString toolTip() const { return holdText.isEmpty() ? timeText : timeText + QLatin1Char('\n') + holdText; }

    // The whole minutes of the time text, which is what the tray icon draws.
    qint64 minutesLeft() const { return secondsLeft / 60; }
    // The text some trays show beside the icon. Whole minutes, like the icon, so that it
    // changes once a minute rather than every second.
    QString trayText() const { return QStringLiteral("%1 min").arg(minutesLeft()); }
    // The widest text expected, so that the tray keeps its width as the minutes go down.
    static QString trayTextGuide() { return QStringLiteral("000 min"); }

    bool operator==(const MenuBarLabelModel &) const = default;
};
