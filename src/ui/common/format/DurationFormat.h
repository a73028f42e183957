#pragma once

#include <QString>

// Focused time, in two forms. A negative figure (the clock was set back during a stretch)
// reads as zero rather than as a garbled "-1:-5".
namespace DurationFormat {

// "0:00", "4:05", "1:01:01": the current task's focus time on the focus board.
QString clock(qint64 seconds);

// "0s", "45s", "5m 30s", "1h 5m": the focus line of a task row.
QString compact(qint64 seconds);

} // namespace DurationFormat
