#include "CountdownText.h"

#include <algorithm>

QString CountdownText::format(qint64 remainingSeconds)
{
    const qint64 remaining = std::max<qint64>(0, remainingSeconds);
    return QString::asprintf("%lld:%02lld", static_cast<long long>(remaining / 60),
                             static_cast<long long>(remaining % 60));
}
