#include "DurationFormat.h"

#include <algorithm>

namespace DurationFormat {

QString clock(qint64 seconds)
{
    const long long s = std::max<qint64>(0, seconds);
    if (s < 3600)
        return QString::asprintf("%lld:%02lld", s / 60, s % 60);
    return QString::asprintf("%lld:%02lld:%02lld", s / 3600, (s % 3600) / 60, s % 60);
}

QString compact(qint64 seconds)
{
    const long long s = std::max<qint64>(0, seconds);
    if (s < 60)
        return QString::asprintf("%llds", s);
    if (s < 3600)
        return QString::asprintf("%lldm %llds", s / 60, s % 60);
    return QString::asprintf("%lldh %lldm", s / 3600, (s % 3600) / 60);
}

} // namespace DurationFormat
