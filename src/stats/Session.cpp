#include "Session.h"

QString rawValue(SessionType type)
{
    switch (type) {
    case SessionType::work:
        return QStringLiteral("work");
    case SessionType::breakSession:
        return QStringLiteral("break");
    }
    return {};
}

std::optional<SessionType> sessionTypeFromRawValue(QStringView raw)
{
    if (raw == u"work")
        return SessionType::work;
    if (raw == u"break")
        return SessionType::breakSession;
    return std::nullopt;
}

Session Session::make(Instant startTime, Instant endTime, qint64 durationSeconds, SessionType type, bool completed,
                      std::optional<QString> taskTitle)
{
    return Session{QUuid::createUuid(), startTime, endTime, durationSeconds, type, completed, std::move(taskTitle)};
}
