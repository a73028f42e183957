#include "SessionCodec.h"

#include "storage/JsonRecordReader.h"
#include "storage/JsonRecordWriter.h"

#include <QSet>

namespace {

const RecordField<Session> kSessionFields[] = {
    {"id", true, [](const JsonValue &value, Session &record) { return take(value.toUuid(), record.id); }},
    {"startTime", true,
     [](const JsonValue &value, Session &record) { return take(value.toInstant(), record.startTime); }},
    {"endTime", true, [](const JsonValue &value, Session &record) { return take(value.toInstant(), record.endTime); }},
    {"durationSeconds", true,
     [](const JsonValue &value, Session &record) { return take(value.toInteger(), record.durationSeconds); }},
    {"type", true,
     [](const JsonValue &value, Session &record) {
         const auto text = value.toText();
         return take(text ? sessionTypeFromRawValue(*text) : std::nullopt, record.type);
     }},
    {"completed", true, [](const JsonValue &value, Session &record) { return take(value.toBool(), record.completed); }},
    {"taskTitle", false,
     [](const JsonValue &value, Session &record) { return takeOptional(value, value.toText(), record.taskTitle); }},
};

} // namespace

std::optional<QByteArray> SessionCodec::encode(const QList<Session> &sessions)
{
    JsonRecordWriter writer(sessions.size(), 192);
    for (const Session &session : sessions) {
        writer.beginRecord();
        writer.uuid("id", session.id);
        writer.instant("startTime", session.startTime);
        writer.instant("endTime", session.endTime);
        writer.integer("durationSeconds", session.durationSeconds);
        writer.text("type", rawValue(session.type));
        writer.boolean("completed", session.completed);
        if (session.taskTitle)
            writer.text("taskTitle", *session.taskTitle);
        writer.endRecord();
    }
    if (!writer.ok())
        return std::nullopt;
    return writer.finish();
}

std::optional<QByteArray> SessionCodec::encodeMembers(const QList<Session> &sessions)
{
    const auto array = encode(sessions);
    if (!array)
        return std::nullopt;
    return array->sliced(1, array->size() - 2);
}

bool SessionCodec::decodeEach(const QByteArray &bytes, const std::function<void(Session &&)> &take)
{
    RecordCollector sink(kSessionFields, take);
    return readJsonRecords(bytes, sink);
}

std::optional<QList<Session>> SessionCodec::decode(const QByteArray &bytes)
{
    RecordCollector sink(kSessionFields);
    if (!readJsonRecords(bytes, sink))
        return std::nullopt;
    QList<Session> sessions = std::move(sink.records);
    // Years of history name a handful of tasks over and over: one copy of each title serves
    // all its records, and the list keeps no room for records it will not hold.
    QSet<QString> titles;
    for (Session &session : sessions) {
        if (!session.taskTitle)
            continue;
        if (const auto known = titles.constFind(*session.taskTitle); known != titles.cend())
            session.taskTitle = *known;
        else
            titles.insert(*session.taskTitle);
    }
    sessions.squeeze();
    return sessions;
}
