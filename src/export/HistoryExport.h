#pragma once

#include "stats/Session.h"
#include "tasks/TodoItem.h"

#include <QByteArray>
#include <QDate>
#include <QList>

#include <optional>

// The user's history and tasks written out for other programs: CSV (RFC 4180, with a header
// row) or JSON. Times are local, in ISO 8601 with the zone's offset.
namespace HistoryExport {

enum class Format { csv, json };

// Calendar days, both included; a session belongs to the day on which it started.
struct DayRange {
    std::optional<QDate> from;
    std::optional<QDate> to;
    bool contains(Instant instant) const;
};

std::optional<Format> formatNamed(const QString &name);

// What an export says when the history file cannot be read.
inline QString historyUnreadable() { return QStringLiteral("Pelmix could not read your history"); }

// start, end, duration in seconds, type, completed, task; or the records as stored.
QByteArray sessions(const QList<Session> &sessions, Format format, const DayRange &days = {});
// title, status, total focus seconds, created and completed.
QByteArray tasks(const QList<TodoItem> &tasks, Format format);

// Writes `bytes` to `path` whole, in one step, or not at all (`error` then says why).
bool writeFile(const QString &path, const QByteArray &bytes, QString &error);
// The format a file name asks for by its suffix (JSON for ".json", CSV otherwise).
Format formatForFileName(const QString &path);

// One CSV field: quoted when it holds a comma, a quote or a line break; text that a
// spreadsheet would run as a formula (starting with =, +, -, @, a tab or a carriage return)
// is prefixed with an apostrophe.
QString csvField(const QString &text);

} // namespace HistoryExport
