#include "StdoutLogger.h"

#include <cstdio>

void StdoutLogger::line(const QString &message)
{
    const QByteArray bytes = message.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}
