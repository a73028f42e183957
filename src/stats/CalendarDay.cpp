#include "CalendarDay.h"

#include <QDateTime>

#include <cmath>

QDateTime localDateTime(Instant instant)
{
    const auto msecs = static_cast<qint64>(std::floor(instant.unixSeconds() * 1000.0));
    return QDateTime::fromMSecsSinceEpoch(msecs, Qt::LocalTime);
}

CalendarDay CalendarDay::containing(Instant instant)
{
    const QDate date = localDateTime(instant).date();
    // startOfDay() also finds the first moment of a day whose midnight the clocks skip.
    return CalendarDay(date, Instant::fromDateTime(date.startOfDay()),
                       Instant::fromDateTime(date.addDays(1).startOfDay()));
}
