#pragma once

#include "platform/Instant.h"

#include <QDate>

// One day of the user's calendar in the user's time zone, as the span of instants
// [start, end). Its length follows the clock changes: 23 or 25 hours on those days.
class CalendarDay {
public:
    static CalendarDay containing(Instant instant);

    QDate date() const { return m_date; }
    Instant start() const { return m_start; }
    Instant end() const { return m_end; }
    bool contains(Instant instant) const { return m_start <= instant && instant < m_end; }

private:
    CalendarDay(QDate date, Instant start, Instant end) : m_date(date), m_start(start), m_end(end) {}

    QDate m_date;
    Instant m_start;
    Instant m_end;
};

// The local date and time of an instant. Rounds down to the millisecond, so that an
// instant just before midnight stays on its day.
QDateTime localDateTime(Instant instant);
