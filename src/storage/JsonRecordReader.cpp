#include "JsonRecordReader.h"

#include <nlohmann/json.hpp>

#include <string>

namespace {

// Depths: 0 outside everything, 1 inside the array, 2 inside a record, deeper inside a
// value nested in a record (skipped).
class RecordArrayHandler {
public:
    using json = nlohmann::json;

    explicit RecordArrayHandler(JsonRecordSink &sink) : m_sink(sink) {}

    bool null() { return scalar(JsonValue(JsonValue::Null{})); }
    bool boolean(bool value) { return scalar(JsonValue(value)); }
    bool number_integer(json::number_integer_t value) { return scalar(JsonValue(std::int64_t{value})); }
    bool number_unsigned(json::number_unsigned_t value) { return scalar(JsonValue(std::uint64_t{value})); }
    bool number_float(json::number_float_t value, const std::string &) { return scalar(JsonValue(double{value})); }
    bool string(std::string &value) { return scalar(JsonValue(std::string_view(value))); }
    bool binary(json::binary_t &) { return false; }

    bool start_object(std::size_t) { return open(true); }
    bool start_array(std::size_t) { return open(false); }
    bool end_object() { return close(); }
    bool end_array() { return close(); }

    bool key(std::string &key)
    {
        if (m_depth == 2)
            m_key = std::move(key);
        return true;
    }

    bool parse_error(std::size_t, const std::string &, const nlohmann::detail::exception &) { return false; }

private:
    bool scalar(const JsonValue &value)
    {
        if (m_depth == 2)
            return m_sink.member(m_key, value);
        // A bare value at the top, or an array element that is not an object.
        return m_depth > 2;
    }

    bool open(bool object)
    {
        ++m_depth;
        if (m_depth == 1)
            return !object;
        if (m_depth == 2) {
            if (!object)
                return false;
            m_sink.beginRecord();
            return true;
        }
        if (m_depth == 3)
            return m_sink.member(m_key, JsonValue(JsonValue::Nested{}));
        return true;
    }

    bool close()
    {
        --m_depth;
        if (m_depth == 1)
            return m_sink.endRecord();
        return true;
    }

    JsonRecordSink &m_sink;
    int m_depth = 0;
    std::string m_key;
};

} // namespace

bool readJsonRecords(const QByteArray &bytes, JsonRecordSink &sink)
{
    RecordArrayHandler handler(sink);
    // The parser checks that strings are well-formed UTF-8 and that nothing follows the array.
    return nlohmann::json::sax_parse(bytes.cbegin(), bytes.cend(), &handler);
}
