#pragma once

#include "JsonValue.h"

#include <QByteArray>

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

protected:
    // For sinks whose records have required members numbered 0, 1, 2...: stores one, noting
    // it as present; false when the value is missing or of the wrong kind.
    template <typename T> bool takeRequired(unsigned index, std::optional<T> value, T &target)
    {
        if (!value)
            return false;
        target = std::move(*value);
        m_taken |= 1u << index;
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
    void forgetTaken() { m_taken = 0; }
    bool tookAll(unsigned requiredCount) const { return m_taken == (1u << requiredCount) - 1; }

private:
    unsigned m_taken = 0;
};

// Streams `bytes`, which must be one JSON array of objects in UTF-8, into `sink` without
// building a document first: the session history can hold hundreds of thousands of records.
// Answers false, at the first defect, when the bytes are not such an array or the sink
// refuses a record.
bool readJsonRecords(const QByteArray &bytes, JsonRecordSink &sink);
