#pragma once

// Timing and reporting for the benchmarks: wall and thread CPU time, min and median.
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <utility>
#include <vector>

namespace bench {

// Wall time, and the CPU time of this thread: the machine may be busy with other work, which
// shows in the first and hardly in the second.
class Stopwatch {
public:
    Stopwatch() { restart(); }
    void restart()
    {
        m_wall.start();
        m_cpu = cpuMilliseconds();
    }
    std::pair<double, double> elapsed() const
    {
        return {static_cast<double>(m_wall.nsecsElapsed()) / 1e6, cpuMilliseconds() - m_cpu};
    }

private:
    static double cpuMilliseconds()
    {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
    }

    QElapsedTimer m_wall;
    double m_cpu = 0;
};

struct Series {
    const char *name;
    double targetMs;
    std::vector<double> wall, cpu;

    void add(const Stopwatch &watch)
    {
        const auto [wallMs, cpuMs] = watch.elapsed();
        wall.push_back(wallMs);
        cpu.push_back(cpuMs);
    }
};

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

inline void report(const Series &series)
{
    std::printf("%-26s wall min %7.2f  median %7.2f ms | cpu median %7.2f ms", series.name,
                *std::min_element(series.wall.begin(), series.wall.end()), median(series.wall), median(series.cpu));
    if (series.targetMs > 0)
        std::printf("  (target %.0f ms)", series.targetMs);
    std::printf("\n");
}


} // namespace bench
