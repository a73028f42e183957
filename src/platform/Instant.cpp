#include "Instant.h"

#include <cmath>

Instant Instant::fromDateTime(const QDateTime &dateTime)
{
    return fromUnixSeconds(static_cast<double>(dateTime.toMSecsSinceEpoch()) / 1000.0);
}

QDateTime Instant::toDateTime() const
{
    return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(std::llround(unixSeconds() * 1000.0)));
}
