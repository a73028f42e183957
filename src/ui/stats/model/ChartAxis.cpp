#include "ChartAxis.h"

#include <cmath>

namespace {
constexpr double kTargetSteps = 4.0;
constexpr double kFinestStep = 0.1;
// Divisions such as 0.3 / 0.1 land a hair beside the whole number they stand for.
constexpr double kRoundingSlack = 1e-9;

double niceStep(double rawStep)
{
    const double magnitude = std::pow(10.0, std::floor(std::log10(rawStep)));
    for (double factor : {1.0, 2.0, 5.0}) {
        if (factor * magnitude >= rawStep * (1 - kRoundingSlack))
            return factor * magnitude;
    }
    return 10.0 * magnitude;
}
} // namespace

ChartAxis ChartAxis::forMaximum(double maximumHours)
{
    // An empty week still gets an axis of a full hour, so the chart keeps its frame.
    const double maximum = std::isfinite(maximumHours) && maximumHours > 0 ? maximumHours : 1.0;
    ChartAxis axis;
    axis.step = std::max(kFinestStep, niceStep(maximum / kTargetSteps));
    const auto steps = static_cast<int>(std::ceil(maximum / axis.step - kRoundingSlack));
    for (int i = 0; i <= std::max(1, steps); ++i)
        axis.ticks.push_back(i * axis.step);
    return axis;
}

QString ChartAxis::label(double hours) { return QString::asprintf("%.1fh", hours); }
