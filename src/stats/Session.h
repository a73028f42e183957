#pragma once

#include "platform/Instant.h"

#include <QString>
#include <QStringView>
#include <QUuid>

#include <optional>

enum class SessionType { work, breakSession };

// The strings sessions.json stores for each type.
QString rawValue(SessionType type);
std::optional<SessionType> sessionTypeFromRawValue(QStringView raw);

// One recorded work session or break. Records are never edited once made.
struct Session {
    QUuid id;
    Instant startTime;
    Instant endTime;
    // What the work timer counted (work seconds while present, break seconds while away);
    // usually less than endTime - startTime.
    qint64 durationSeconds = 0;
    SessionType type = SessionType::work;
    // Whether the session ran to its planned end.
    bool completed = false;
    // The task that was current when a work session was recorded.
    std::optional<QString> taskTitle;

    // A record with a fresh random id, as the work timer makes them.
    static Session make(Instant startTime, Instant endTime, qint64 durationSeconds, SessionType type, bool completed,
                        std::optional<QString> taskTitle = std::nullopt);

    bool operator==(const Session &) const = default;
};
