#pragma once

#include "JsonValue.h"

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

// Receives the records of a data file one member at a time, as they are read.
class JsonRecordSink {
public:
    virtual ~JsonRecordSink() = default;

    virtual void beginRecord() = 0;
    // Answers false when the value makes the record, and so the whole file, unusable.
    virtual bool member(std::string_view key, const JsonValue &value) = 0;
    // Answers false when the record lacks something it needs.
    virtual bool endRecord() = 0;
};

// Reading one member into a record: false when the value is missing or of the wrong kind.
template <typename T> bool take(std::optional<T> value, T &target)
{
    if (!value)
        return false;
    target = std::move(*value);
    return true;
}
// An optional member: null reads as absent, like a missing key.
template <typename T> bool takeOptional(const JsonValue &raw, std::optional<T> value, std::optional<T> &target)
{
    if (raw.isNull()) {
        target.reset();
        return true;
    }
    target = std::move(value);
    return target.has_value();
}

// A member of a record type, read by its own function.
template <typename Record> struct RecordField {
    std::string_view key;
    bool required;
    bool (*read)(const JsonValue &value, Record &record);
};

// Collects the records of a type described by its fields: a record lacking a required field,
// or with a field of the wrong kind, makes the file unusable; unknown keys are passed over.
// Each record goes to `records`, or to `take` when one is given.
template <typename Record, std::size_t FieldCount> class RecordCollector final : public JsonRecordSink {
    static_assert(FieldCount <= 32, "the fields present are noted in one 32-bit word");

public:
    explicit RecordCollector(const RecordField<Record> (&fields)[FieldCount],
                             std::function<void(Record &&)> take = nullptr)
        : m_fields(fields),
          m_take(std::move(take))
    {
        for (std::size_t i = 0; i < FieldCount; ++i) {
            if (fields[i].required)
                m_required |= 1u << i;
        }
    }

    void beginRecord() override
    {
        m_record = Record{};
        m_present = 0;
    }

    bool member(std::string_view key, const JsonValue &value) override
    {
        for (std::size_t i = 0; i < FieldCount; ++i) {
            if (m_fields[i].key == key) {
                m_present |= 1u << i;
                return m_fields[i].read(value, m_record);
            }
        }
        return true;
    }

    bool endRecord() override
    {
        if ((m_present & m_required) != m_required)
            return false;
        if (m_take)
            m_take(std::move(m_record));
        else
            records.append(std::move(m_record));
        return true;
    }

    QList<Record> records;

private:
    const RecordField<Record> (&m_fields)[FieldCount];
    std::function<void(Record &&)> m_take;
    std::uint32_t m_required = 0;
    std::uint32_t m_present = 0;
    Record m_record;
};

// Streams `bytes`, which must be one JSON array of objects in UTF-8, into `sink` without
// building a document first: the session history can hold hundreds of thousands of records.
// Answers false, at the first defect, when the bytes are not such an array or the sink
// refuses a record.
bool readJsonRecords(const QByteArray &bytes, JsonRecordSink &sink);
