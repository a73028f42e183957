#include "IntervalChoices.h"

#include <initializer_list>

namespace {
std::vector<IntervalChip> chips(std::initializer_list<qint64> values, qint64 stored)
{
    std::vector<IntervalChip> result;
    for (qint64 minutes : values)
        result.push_back({minutes, QStringLiteral("%1 min").arg(minutes), minutes == stored});
    return result;
}
} // namespace

namespace IntervalChoices {
std::vector<IntervalChip> workChips(qint64 storedWorkMinutes) { return chips({15, 25, 50}, storedWorkMinutes); }
std::vector<IntervalChip> breakChips(qint64 storedBreakMinutes) { return chips({5, 10}, storedBreakMinutes); }
} // namespace IntervalChoices
