#include "TodoCodec.h"

#include "storage/JsonRecordReader.h"
#include "storage/JsonRecordWriter.h"

namespace {

class TodoSink final : public JsonRecordSink {
public:
    void beginRecord() override
    {
        m_record = TodoItem{};
        forgetTaken();
    }

    bool member(std::string_view key, const JsonValue &value) override
    {
        if (key == "id")
            return takeRequired(0, value.toUuid(), m_record.id);
        if (key == "title")
            return takeRequired(1, value.toText(), m_record.title);
        if (key == "status") {
            const auto text = value.toText();
            return takeRequired(2, text ? todoStatusFromRawValue(*text) : std::nullopt, m_record.status);
        }
        if (key == "createdAt")
            return takeRequired(3, value.toInstant(), m_record.createdAt);
        if (key == "completedAt")
            return takeOptional(value, value.toInstant(), m_record.completedAt);
        if (key == "totalFocusSeconds")
            return takeRequired(4, value.toInteger(), m_record.totalFocusSeconds);
        return true;
    }

    bool endRecord() override
    {
        if (!tookAll(5))
            return false;
        items.append(std::move(m_record));
        return true;
    }

    QList<TodoItem> items;

private:
    TodoItem m_record;
};

} // namespace

std::optional<QByteArray> TodoCodec::encode(const QList<TodoItem> &items)
{
    JsonRecordWriter writer(items.size());
    for (const TodoItem &item : items) {
        writer.beginRecord();
        writer.uuid("id", item.id);
        writer.text("title", item.title);
        writer.text("status", rawValue(item.status));
        writer.instant("createdAt", item.createdAt);
        if (item.completedAt)
            writer.instant("completedAt", *item.completedAt);
        writer.integer("totalFocusSeconds", item.totalFocusSeconds);
        writer.endRecord();
    }
    if (!writer.ok())
        return std::nullopt;
    return writer.finish();
}

std::optional<QList<TodoItem>> TodoCodec::decode(const QByteArray &bytes)
{
    TodoSink sink;
    if (!readJsonRecords(bytes, sink))
        return std::nullopt;
    return std::move(sink.items);
}
