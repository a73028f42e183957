#pragma once

#include <QString>

#include <vector>

// The choice chips of the intervals step: work lengths of 15, 25 and 50 minutes and break
// lengths of 5 and 10. A chip is selected when its value is the stored one, so a stored
// length no chip carries (say 30) selects none of its group.
struct IntervalChip {
    qint64 minutes = 0;
    QString label; // "25 min"
    bool selected = false;

    bool operator==(const IntervalChip &) const = default;
};

namespace IntervalChoices {
std::vector<IntervalChip> workChips(qint64 storedWorkMinutes);
std::vector<IntervalChip> breakChips(qint64 storedBreakMinutes);
} // namespace IntervalChoices
