#pragma once

#include <QtGlobal>

#include <limits>

// Whole-second durations as the data files and the preferences hold them. The files may have
// been edited by hand or written by other tools, so a value is never trusted to be sane:
// arithmetic saturates instead of overflowing, and figures count only plausible durations.
namespace Durations {

inline constexpr qint64 kMax = std::numeric_limits<qint64>::max();
inline constexpr qint64 kMin = std::numeric_limits<qint64>::min();
// No session lasts longer than this; a longer one is a damaged record.
inline constexpr qint64 kLongestSession = 31LL * 24 * 3600;

constexpr qint64 add(qint64 a, qint64 b)
{
    qint64 sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        return b > 0 ? kMax : kMin;
    return sum;
}

constexpr qint64 multiply(qint64 a, qint64 b)
{
    qint64 product = 0;
    if (__builtin_mul_overflow(a, b, &product))
        return (a < 0) != (b < 0) ? kMin : kMax;
    return product;
}

// What a stored duration counts for in a figure: negative or absurd ones count as nothing.
constexpr qint64 counted(qint64 stored) { return stored < 0 || stored > kLongestSession ? 0 : stored; }

} // namespace Durations
