#include "JsonRecordWriter.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cmath>

namespace {

bool needsEscaping(std::string_view text)
{
    for (const char c : text) {
        if (c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20)
            return true;
    }
    return false;
}

} // namespace

JsonRecordWriter::JsonRecordWriter(qsizetype expectedRecords, qsizetype bytesPerRecord)
{
    m_out.reserve(static_cast<std::size_t>(expectedRecords * bytesPerRecord + 2));
    m_out += '[';
}

void JsonRecordWriter::beginRecord()
{
    if (!m_firstRecord)
        m_out += ',';
    m_firstRecord = false;
    m_firstMember = true;
    m_out += '{';
}

void JsonRecordWriter::endRecord() { m_out += '}'; }

void JsonRecordWriter::memberKey(std::string_view key)
{
    if (!m_firstMember)
        m_out += ',';
    m_firstMember = false;
    m_out += '"';
    m_out += key;
    m_out += "\":";
}

void JsonRecordWriter::text(std::string_view key, const QString &value)
{
    memberKey(key);
    const QByteArray utf8 = value.toUtf8();
    const std::string_view view(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    if (!needsEscaping(view)) {
        m_out += '"';
        m_out += view;
        m_out += '"';
        return;
    }
    m_out += nlohmann::json(std::string(view)).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

void JsonRecordWriter::integer(std::string_view key, qint64 value)
{
    memberKey(key);
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    m_out.append(buffer, result.ptr);
}

void JsonRecordWriter::boolean(std::string_view key, bool value)
{
    memberKey(key);
    m_out += value ? "true" : "false";
}

void JsonRecordWriter::uuid(std::string_view key, const QUuid &value)
{
    memberKey(key);
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const QByteArray bytes = value.toRfc4122();
    char text[38];
    char *out = text;
    *out++ = '"';
    for (int i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            *out++ = '-';
        const auto byte = static_cast<unsigned char>(bytes[i]);
        *out++ = kDigits[byte >> 4];
        *out++ = kDigits[byte & 0xF];
    }
    *out++ = '"';
    m_out.append(text, out);
}

void JsonRecordWriter::instant(std::string_view key, Instant value)
{
    memberKey(key);
    const double seconds = value.referenceSeconds();
    if (!std::isfinite(seconds)) {
        m_ok = false;
        m_out += "null";
        return;
    }
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, seconds);
    m_out.append(buffer, result.ptr);
}

QByteArray JsonRecordWriter::finish()
{
    m_out += ']';
    return QByteArray(m_out.data(), static_cast<qsizetype>(m_out.size()));
}
