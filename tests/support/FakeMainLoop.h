#pragma once

#include "platform/MainLoop.h"

#include <deque>
#include <memory>
#include <vector>

// A main loop on virtual time. advance() moves the clocks forward, firing every timer
// that falls due in order; the work each tick posts runs before the next tick. A sleep, a
// stalled process and a step of the wall clock each move the three clocks as Linux does.
class FakeMainLoop final : public MainLoop {
public:
    explicit FakeMainLoop(Instant start = Instant::fromUnixSeconds(1'773'478'800.0)) // 2026-03-14 09:00 UTC
        : m_now(start)
    {}

    Instant now() const override { return m_now; }
    double monotonicSeconds() const override { return m_monotonic; }
    double bootSeconds() const override { return m_boot; }
    ScheduledWorkHandle onWallClockStep(std::function<void(double seconds)> handler) override;
    void post(std::function<void()> work) override { m_posted.push_back(std::move(work)); }
    ScheduledWorkHandle scheduleRepeating(double intervalSeconds, std::function<void()> tick) override
    {
        return schedule(intervalSeconds, intervalSeconds, std::move(tick));
    }
    ScheduledWorkHandle scheduleDelayed(std::chrono::nanoseconds delay, std::function<void()> work) override
    {
        return schedule(static_cast<double>(delay.count()) / 1e9, 0, std::move(work));
    }

    // Moves the clock forward by `seconds`, firing due timers in order.
    void advance(double seconds);
    // Runs all posted work, including work that the work posts.
    void runPending();
    // Sets the clock without firing anything (for tests that place the clock at a date).
    void setNow(Instant now) { m_now = now; }
    // The machine sleeps: the wall and boot clocks move on, the monotonic one does not, and
    // timers (on the monotonic clock, as Qt's) keep their distance from now.
    void sleep(double seconds);
    // The process is stopped (SIGSTOP, a frozen session): every clock moves on and nothing
    // fires in the gap.
    void stall(double seconds);
    // The wall clock is set or stepped, alone; the step is announced before anything else runs.
    void stepWallClock(double seconds);

    int activeTimerCount() const;
    int pendingWorkCount() const { return static_cast<int>(m_posted.size()); }

    struct Entry {
        Instant due;
        double interval = 0; // 0: fires once
        std::uint64_t sequence = 0;
        std::function<void()> work;
        bool valid = true;
    };

private:
    ScheduledWorkHandle schedule(double delaySeconds, double intervalSeconds, std::function<void()> work);

    void skip(double seconds);

    Instant m_now;
    double m_monotonic = 1000.0;
    double m_boot = 1000.0;
    // Each handler with the entry that stands for its handle.
    std::vector<std::pair<std::shared_ptr<Entry>, std::function<void(double)>>> m_stepHandlers;
    std::uint64_t m_sequence = 0;
    std::deque<std::function<void()>> m_posted;
    std::vector<std::shared_ptr<Entry>> m_entries;
};
