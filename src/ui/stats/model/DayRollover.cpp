#include "DayRollover.h"

#include <QDateTime>

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {
QDate localDate(Instant instant)
{
    const auto msecs = static_cast<qint64>(std::floor(instant.unixSeconds() * 1000.0));
    return QDateTime::fromMSecsSinceEpoch(msecs).toLocalTime().date();
}
} // namespace

DayRollover::DayRollover(MainLoop &mainLoop, std::function<void()> onNewDay)
    : m_mainLoop(mainLoop),
      m_onNewDay(std::move(onNewDay)),
      m_day(localDate(mainLoop.now()))
{
    schedule();
}

double DayRollover::secondsUntilNextMidnight(Instant now)
{
    const QDateTime next = localDate(now).addDays(1).startOfDay();
    return static_cast<double>(next.toMSecsSinceEpoch()) / 1000.0 - now.unixSeconds();
}

void DayRollover::schedule()
{
    const double seconds = std::min(kLongestWaitSeconds, secondsUntilNextMidnight(m_mainLoop.now()));
    const auto delay = std::chrono::nanoseconds(static_cast<std::int64_t>(std::ceil(seconds * 1e9)));
    m_pending = m_mainLoop.scheduleDelayed(delay, [this] { wake(); });
}

void DayRollover::wake()
{
    const QDate today = localDate(m_mainLoop.now());
    const bool turned = today != m_day;
    m_day = today;
    schedule();
    if (turned)
        m_onNewDay();
}
