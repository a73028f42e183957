#pragma once

#include "platform/Instant.h"

#include <QString>
#include <QUuid>

#include <cstdint>
#include <optional>
#include <string_view>

// One member value of a record in a data file. An array or object inside a record is
// never valid for a field the program reads, so it is only reported as `nested`.
class JsonValue {
public:
    enum class Kind { null, boolean, integer, unsignedInteger, floating, string, nested };

    static JsonValue null() { return JsonValue(Kind::null); }
    static JsonValue nested() { return JsonValue(Kind::nested); }
    static JsonValue boolean(bool value);
    static JsonValue integer(std::int64_t value);
    static JsonValue unsignedInteger(std::uint64_t value);
    static JsonValue floating(double value);
    // `text` must outlive the value.
    static JsonValue string(std::string_view text);

    Kind kind() const { return m_kind; }
    bool isNull() const { return m_kind == Kind::null; }

    std::optional<bool> toBool() const;
    // Whole numbers in the signed 64-bit range, also when written with a fraction of zero.
    std::optional<qint64> toInteger() const;
    // Any finite number of seconds since the reference date.
    std::optional<Instant> toInstant() const;
    std::optional<QString> toText() const;
    // The canonical 8-4-4-4-12 form, in either letter case.
    std::optional<QUuid> toUuid() const;

private:
    explicit JsonValue(Kind kind) : m_kind(kind) {}

    Kind m_kind;
    bool m_bool = false;
    std::int64_t m_integer = 0;
    std::uint64_t m_unsigned = 0;
    double m_floating = 0;
    std::string_view m_text;
};
