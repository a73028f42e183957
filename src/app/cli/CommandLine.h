#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

// What the program was asked to do on its command line. With no command it starts, or shows
// the one already running; `export` writes the history out without starting; the other
// commands act on the running one.
struct CommandLine {
    // usageError: an unknown command or option (exit 2); badValue: a value that cannot be
    // used, such as a date that is none (exit 1).
    enum class Action { run, help, version, exportData, client, usageError, badValue };

    Action action = Action::run;
    // For usageError and badValue: what was wrong; for help: the whole help text.
    QString message;

    // export
    QString format = QStringLiteral("csv");
    bool tasks = false;
    std::optional<QDate> from;
    std::optional<QDate> to;
    QString output; // empty: standard output

    // client: status, break, snooze, show or quit, for the running Pelmix
    QString client;
    bool json = false;
    bool follow = false;
    int minutes = 30;
    QString section;

    static CommandLine parse(const QStringList &arguments);
    static QString usage();
};
