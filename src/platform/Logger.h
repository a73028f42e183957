#pragma once

#include <QString>

// Plain diagnostic lines on standard output, one per message.
class Logger {
public:
    virtual ~Logger() = default;
    virtual void line(const QString &message) = 0;
};

// Formats a Boolean the way every log line of the program prints it.
inline QString boolText(bool value) { return value ? QStringLiteral("true") : QStringLiteral("false"); }
