#pragma once

#include "platform/Instant.h"

#include <QString>
#include <QUuid>

#include <cstdint>
#include <optional>
#include <string_view>
#include <variant>

// One member value of a record in a data file. An array or object inside a record is
// never valid for a field the program reads, so it is only reported as `nested`.
class JsonValue {
public:
    struct Null {};
    struct Nested {};
    // `std::string_view` text must outlive the value.
    using Scalar = std::variant<Null, Nested, bool, std::int64_t, std::uint64_t, double, std::string_view>;

    explicit JsonValue(Scalar value) : m_value(value) {}

    bool isNull() const { return std::holds_alternative<Null>(m_value); }

    std::optional<bool> toBool() const;
    // Whole numbers in the signed 64-bit range, also when written with a fraction of zero.
    std::optional<qint64> toInteger() const;
    // Any finite number of seconds since the reference date.
    std::optional<Instant> toInstant() const;
    std::optional<QString> toText() const;
    // The canonical 8-4-4-4-12 form, in either letter case.
    std::optional<QUuid> toUuid() const;

private:
    Scalar m_value;
};
