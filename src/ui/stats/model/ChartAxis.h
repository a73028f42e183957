#pragma once

#include <QString>

#include <vector>

// The marks of the weekly chart's hour axis: round steps (1, 2 or 5 times a power of ten,
// never finer than the 0.1 the labels can show) from zero up to the first mark at or above
// the largest bar, about four steps in all.
struct ChartAxis {
    double step = 1.0;
    std::vector<double> ticks;

    double top() const { return ticks.back(); }

    static ChartAxis forMaximum(double maximumHours);
    // "%.1fh", as "1.5h".
    static QString label(double hours);
};
