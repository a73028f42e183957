#pragma once

#include "platform/Instant.h"

#include <QByteArray>
#include <QString>
#include <QUuid>

#include <string>
#include <string_view>

// Writes a data file's array of records compactly, each record's members in the order they
// are added. Records are written straight to text rather than through a document tree: the
// session history is rewritten whole at every append and can hold hundreds of thousands of
// records.
class JsonRecordWriter {
public:
    explicit JsonRecordWriter(qsizetype expectedRecords = 0, qsizetype bytesPerRecord = 160);

    void beginRecord();
    void endRecord();

    // Keys are the program's own ASCII names and are written as given.
    void text(std::string_view key, const QString &value);
    void integer(std::string_view key, qint64 value);
    void boolean(std::string_view key, bool value);
    // In upper case, as every data file writes identifiers.
    void uuid(std::string_view key, const QUuid &value);
    // Seconds since the reference date, in the shortest form that reads back as the same number.
    // JSON has no form for infinities or NaN: such a value spoils the whole file (see ok()).
    void instant(std::string_view key, Instant value);

    // False once a value could not be written; the text must then not be saved.
    bool ok() const { return m_ok; }
    // The finished array.
    QByteArray finish();

private:
    void memberKey(std::string_view key);

    std::string m_out;
    bool m_ok = true;
    bool m_firstRecord = true;
    bool m_firstMember = true;
};
