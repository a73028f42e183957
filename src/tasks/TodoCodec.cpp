#include "TodoCodec.h"

#include "storage/JsonRecordReader.h"
#include "storage/JsonRecordWriter.h"

namespace {

const RecordField<TodoItem> kTodoFields[] = {
    {"id", true, [](const JsonValue &value, TodoItem &record) { return take(value.toUuid(), record.id); }},
    {"title", true, [](const JsonValue &value, TodoItem &record) { return take(value.toText(), record.title); }},
    {"status", true,
     [](const JsonValue &value, TodoItem &record) {
         const auto text = value.toText();
         return take(text ? todoStatusFromRawValue(*text) : std::nullopt, record.status);
     }},
    {"createdAt", true,
     [](const JsonValue &value, TodoItem &record) { return take(value.toInstant(), record.createdAt); }},
    {"completedAt", false,
     [](const JsonValue &value, TodoItem &record) {
         return takeOptional(value, value.toInstant(), record.completedAt);
     }},
    {"totalFocusSeconds", true,
     [](const JsonValue &value, TodoItem &record) { return take(value.toInteger(), record.totalFocusSeconds); }},
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
    RecordCollector sink(kTodoFields);
    if (!readJsonRecords(bytes, sink))
        return std::nullopt;
    return std::move(sink.records);
}
