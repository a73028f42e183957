#pragma once

#include <QObject>
#include <QString>

#include <optional>

// What other programs of the user's (a status bar, a script) may read and do. The program
// fills it in; a platform service (on Linux the session bus) offers it to them.
class RemoteControl : public QObject {
    Q_OBJECT
public:
    struct Status {
        QString state; // working, breakDue, onBreak, snoozed, paused, away
        qint64 secondsLeft = 0;
        // The whole length of what secondsLeft counts down: the work interval, the break, the snooze.
        qint64 phaseSeconds = 0;
        // When secondsLeft reaches zero, in seconds since 1970, while it counts down; else 0.
        qint64 dueAt = 0;
        qint64 completedSessionsToday = 0;
        QString currentTask;
        QString presence; // present, away

        bool operator==(const Status &) const = default;
    };

    using QObject::QObject;

    virtual Status status() const = 0;
    virtual void takeBreak() = 0;
    virtual void snooze(int minutes) = 0;
    // false for a section that is none of focus, stats, settings, about.
    virtual bool showSection(const QString &section) = 0;
    virtual void quitProgram() = 0;
    // The history as `pelmix export` writes it; nothing for a bad format or date, or, with
    // `failure` saying why, when the history cannot be read.
    virtual std::optional<QString> exportHistory(const QString &format, const QString &from, const QString &to,
                                                 QString &failure) = 0;

signals:
    // Something in status() may have changed.
    void statusChanged();
};
