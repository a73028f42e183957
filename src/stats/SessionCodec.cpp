#include "SessionCodec.h"

#include "storage/JsonRecordReader.h"
#include "storage/JsonRecordWriter.h"

namespace {

class SessionSink final : public JsonRecordSink {
public:
    void beginRecord() override
    {
        m_record = Session{};
        forgetTaken();
    }

    bool member(std::string_view key, const JsonValue &value) override
    {
        if (key == "id")
            return takeRequired(0, value.toUuid(), m_record.id);
        if (key == "startTime")
            return takeRequired(1, value.toInstant(), m_record.startTime);
        if (key == "endTime")
            return takeRequired(2, value.toInstant(), m_record.endTime);
        if (key == "durationSeconds")
            return takeRequired(3, value.toInteger(), m_record.durationSeconds);
        if (key == "type") {
            const auto text = value.toText();
            return takeRequired(4, text ? sessionTypeFromRawValue(*text) : std::nullopt, m_record.type);
        }
        if (key == "completed")
            return takeRequired(5, value.toBool(), m_record.completed);
        if (key == "taskTitle")
            return takeOptional(value, value.toText(), m_record.taskTitle);
        return true;
    }

    bool endRecord() override
    {
        if (!tookAll(6))
            return false;
        sessions.append(std::move(m_record));
        return true;
    }

    QList<Session> sessions;

private:
    Session m_record;
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

std::optional<QList<Session>> SessionCodec::decode(const QByteArray &bytes)
{
    SessionSink sink;
    if (!readJsonRecords(bytes, sink))
        return std::nullopt;
    return std::move(sink.sessions);
}
