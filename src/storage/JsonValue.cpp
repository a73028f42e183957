#include "JsonValue.h"

#include <array>
#include <cmath>
#include <limits>

std::optional<bool> JsonValue::toBool() const
{
    if (const auto *value = std::get_if<bool>(&m_value))
        return *value;
    return std::nullopt;
}

std::optional<qint64> JsonValue::toInteger() const
{
    constexpr auto kMax = std::numeric_limits<qint64>::max();
    if (const auto *value = std::get_if<std::int64_t>(&m_value))
        return *value;
    if (const auto *value = std::get_if<std::uint64_t>(&m_value)) {
        if (*value > static_cast<std::uint64_t>(kMax))
            return std::nullopt;
        return static_cast<qint64>(*value);
    }
    if (const auto *value = std::get_if<double>(&m_value)) {
        // 2^63 itself is out of range, and every double below it converts exactly.
        if (std::trunc(*value) != *value || *value < -9223372036854775808.0 || *value >= 9223372036854775808.0)
            return std::nullopt;
        return static_cast<qint64>(*value);
    }
    return std::nullopt;
}

std::optional<Instant> JsonValue::toInstant() const
{
    if (const auto *value = std::get_if<std::int64_t>(&m_value))
        return Instant::fromReferenceSeconds(static_cast<double>(*value));
    if (const auto *value = std::get_if<std::uint64_t>(&m_value))
        return Instant::fromReferenceSeconds(static_cast<double>(*value));
    if (const auto *value = std::get_if<double>(&m_value); value && std::isfinite(*value))
        return Instant::fromReferenceSeconds(*value);
    return std::nullopt;
}

std::optional<QString> JsonValue::toText() const
{
    if (const auto *text = std::get_if<std::string_view>(&m_value))
        return QString::fromUtf8(text->data(), static_cast<qsizetype>(text->size()));
    return std::nullopt;
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
    const auto *text = std::get_if<std::string_view>(&m_value);
    if (!text || text->size() != 36)
        return std::nullopt;
    const std::string_view canonical = *text;
    if (canonical[8] != '-' || canonical[13] != '-' || canonical[18] != '-' || canonical[23] != '-')
        return std::nullopt;
    char bytes[16];
    std::size_t at = 0;
    for (char &byte : bytes) {
        if (at == 8 || at == 13 || at == 18 || at == 23)
            ++at;
        const int high = kHexDigitValues[static_cast<unsigned char>(canonical[at])];
        const int low = kHexDigitValues[static_cast<unsigned char>(canonical[at + 1])];
        if (high < 0 || low < 0)
            return std::nullopt;
        byte = static_cast<char>(high << 4 | low);
        at += 2;
    }
    return QUuid::fromRfc4122(QByteArrayView(bytes, sizeof bytes));
}
