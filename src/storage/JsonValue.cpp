#include "JsonValue.h"

#include <array>
#include <cmath>
#include <limits>

JsonValue JsonValue::boolean(bool value)
{
    JsonValue result(Kind::boolean);
    result.m_bool = value;
    return result;
}

JsonValue JsonValue::integer(std::int64_t value)
{
    JsonValue result(Kind::integer);
    result.m_integer = value;
    return result;
}

JsonValue JsonValue::unsignedInteger(std::uint64_t value)
{
    JsonValue result(Kind::unsignedInteger);
    result.m_unsigned = value;
    return result;
}

JsonValue JsonValue::floating(double value)
{
    JsonValue result(Kind::floating);
    result.m_floating = value;
    return result;
}

JsonValue JsonValue::string(std::string_view text)
{
    JsonValue result(Kind::string);
    result.m_text = text;
    return result;
}

std::optional<bool> JsonValue::toBool() const
{
    if (m_kind != Kind::boolean)
        return std::nullopt;
    return m_bool;
}

std::optional<qint64> JsonValue::toInteger() const
{
    constexpr auto kMax = std::numeric_limits<qint64>::max();
    switch (m_kind) {
    case Kind::integer:
        return m_integer;
    case Kind::unsignedInteger:
        if (m_unsigned > static_cast<std::uint64_t>(kMax))
            return std::nullopt;
        return static_cast<qint64>(m_unsigned);
    case Kind::floating:
        // 2^63 itself is out of range, and every double below it converts exactly.
        if (std::trunc(m_floating) != m_floating || m_floating < -9223372036854775808.0 ||
            m_floating >= 9223372036854775808.0)
            return std::nullopt;
        return static_cast<qint64>(m_floating);
    default:
        return std::nullopt;
    }
}

std::optional<Instant> JsonValue::toInstant() const
{
    switch (m_kind) {
    case Kind::integer:
        return Instant::fromReferenceSeconds(static_cast<double>(m_integer));
    case Kind::unsignedInteger:
        return Instant::fromReferenceSeconds(static_cast<double>(m_unsigned));
    case Kind::floating:
        if (!std::isfinite(m_floating))
            return std::nullopt;
        return Instant::fromReferenceSeconds(m_floating);
    default:
        return std::nullopt;
    }
}

std::optional<QString> JsonValue::toText() const
{
    if (m_kind != Kind::string)
        return std::nullopt;
    return QString::fromUtf8(m_text.data(), static_cast<qsizetype>(m_text.size()));
}

namespace {

// The value of each hexadecimal digit, -1 for every other byte.
constexpr std::array<signed char, 256> kHexDigitValues = [] {
    std::array<signed char, 256> values{};
    values.fill(-1);
    for (int i = 0; i < 10; ++i)
        values['0' + i] = static_cast<signed char>(i);
    for (int i = 0; i < 6; ++i) {
        values['a' + i] = static_cast<signed char>(10 + i);
        values['A' + i] = static_cast<signed char>(10 + i);
    }
    return values;
}();

} // namespace

std::optional<QUuid> JsonValue::toUuid() const
{
    // QUuid also takes braces and reads garbage as the null id; only the canonical form is an id here.
    if (m_kind != Kind::string || m_text.size() != 36)
        return std::nullopt;
    if (m_text[8] != '-' || m_text[13] != '-' || m_text[18] != '-' || m_text[23] != '-')
        return std::nullopt;
    char bytes[16];
    std::size_t at = 0;
    for (char &byte : bytes) {
        if (at == 8 || at == 13 || at == 18 || at == 23)
            ++at;
        const int high = kHexDigitValues[static_cast<unsigned char>(m_text[at])];
        const int low = kHexDigitValues[static_cast<unsigned char>(m_text[at + 1])];
        if (high < 0 || low < 0)
            return std::nullopt;
        byte = static_cast<char>(high << 4 | low);
        at += 2;
    }
    return QUuid::fromRfc4122(QByteArrayView(bytes, sizeof bytes));
}
