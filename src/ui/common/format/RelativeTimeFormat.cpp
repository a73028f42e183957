#include "RelativeTimeFormat.h"

namespace RelativeTimeFormat {

QString format(Instant instant, Instant now, const QLocale &locale, const QTimeZone &zone)
{
    const double elapsed = now.secondsSince(instant);
    if (elapsed < 60)
        return QStringLiteral("just now");
    if (elapsed < 3600)
        return QStringLiteral("%1 min ago").arg(static_cast<qint64>(elapsed / 60));
    if (elapsed < 86400) {
        const auto hours = static_cast<qint64>(elapsed / 3600);
        return hours == 1 ? QStringLiteral("1 hour ago") : QStringLiteral("%1 hours ago").arg(hours);
    }
    if (elapsed < 172800)
        return QStringLiteral("yesterday");
    if (elapsed < 604800)
        return QStringLiteral("%1 days ago").arg(static_cast<qint64>(elapsed / 86400));
    return locale.toString(instant.toDateTime().toTimeZone(zone), QStringLiteral("MMM d"));
}

} // namespace RelativeTimeFormat
