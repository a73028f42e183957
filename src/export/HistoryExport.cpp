#include "HistoryExport.h"

#include "stats/CalendarDay.h"
#include "stats/SessionCodec.h"
#include "storage/FileReplacement.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace HistoryExport {

namespace {

QString localTime(Instant instant)
{
    const QDateTime local = localDateTime(instant);
    // With its offset, so that each time names one instant wherever it is read.
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODate);
}

QString csvLine(const QStringList &fields)
{
    QStringList quoted;
    for (const QString &field : fields)
        quoted << csvField(field);
    return quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

QString yesNo(bool value) { return value ? QStringLiteral("true") : QStringLiteral("false"); }

} // namespace

bool DayRange::contains(Instant instant) const
{
    const QDate day = CalendarDay::containing(instant).date();
    return (!from || day >= *from) && (!to || day <= *to);
}

std::optional<Format> formatNamed(const QString &name)
{
    if (name == QLatin1String("csv"))
        return Format::csv;
    if (name == QLatin1String("json"))
        return Format::json;
    return std::nullopt;
}

bool writeFile(const QString &path, const QByteArray &bytes, QString &error)
{
    QString reason;
    if (replaceFile(path, bytes, reason))
        return true;
    error = QStringLiteral("cannot write %1: %2").arg(path, reason);
    return false;
}

Format formatForFileName(const QString &path)
{
    return path.endsWith(QLatin1String(".json"), Qt::CaseInsensitive) ? Format::json : Format::csv;
}

QString csvField(const QString &text)
{
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    QString field = !text.isEmpty() && formulaStarts.contains(text.front()) ? QLatin1Char('\'') + text : text;
    if (field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"')) || field.contains(QLatin1Char('\n')) ||
        field.contains(QLatin1Char('\r')))
        field = QLatin1Char('"') + field.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
    return field;
}

QByteArray sessions(const QList<Session> &sessions, Format format, const DayRange &days)
{
    QList<Session> chosen;
    for (const Session &session : sessions) {
        if (days.contains(session.startTime))
            chosen.append(session);
    }
    if (format == Format::json)
        return SessionCodec::encode(chosen).value_or(QByteArrayLiteral("[]"));
    QString text = csvLine({QStringLiteral("start"), QStringLiteral("end"), QStringLiteral("duration_seconds"),
                            QStringLiteral("type"), QStringLiteral("completed"), QStringLiteral("task")});
    for (const Session &session : chosen) {
        text +=
            csvLine({localTime(session.startTime), localTime(session.endTime), QString::number(session.durationSeconds),
                     rawValue(session.type), yesNo(session.completed), session.taskTitle.value_or(QString())});
    }
    return text.toUtf8();
}

QByteArray tasks(const QList<TodoItem> &tasks, Format format)
{
    if (format == Format::json) {
        QJsonArray records;
        for (const TodoItem &task : tasks) {
            QJsonObject record{{QStringLiteral("title"), task.title},
                               {QStringLiteral("status"), rawValue(task.status)},
                               {QStringLiteral("totalFocusSeconds"), task.totalFocusSeconds},
                               {QStringLiteral("createdAt"), localTime(task.createdAt)}};
            if (task.completedAt)
                record.insert(QStringLiteral("completedAt"), localTime(*task.completedAt));
            records.append(record);
        }
        return QJsonDocument(records).toJson(QJsonDocument::Indented);
    }
    QString text = csvLine({QStringLiteral("title"), QStringLiteral("status"), QStringLiteral("total_focus_seconds"),
                            QStringLiteral("created"), QStringLiteral("completed")});
    for (const TodoItem &task : tasks) {
        text += csvLine({task.title, rawValue(task.status), QString::number(task.totalFocusSeconds),
                         localTime(task.createdAt), task.completedAt ? localTime(*task.completedAt) : QString()});
    }
    return text.toUtf8();
}

} // namespace HistoryExport
