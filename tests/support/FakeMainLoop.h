#pragma once

#include "platform/MainLoop.h"

#include <deque>
#include <memory>
#include <vector>

// A main loop on virtual time. advance() moves the clock forward, firing every timer
// that falls due in order; the work each tick posts runs before the next tick.
class FakeMainLoop final : public MainLoop {
public:
    explicit FakeMainLoop(Instant start = Instant::fromUnixSeconds(1'773'478'800.0)); // 2026-03-14 09:00 UTC

    Instant now() const override { return m_now; }
    void post(std::function<void()> work) override;
    ScheduledWorkHandle scheduleRepeating(double intervalSeconds, std::function<void()> tick) override;
    ScheduledWorkHandle scheduleDelayed(std::chrono::nanoseconds delay, std::function<void()> work) override;

    // Moves the clock forward by `seconds`, firing due timers in order.
    void advance(double seconds);
    // Runs all posted work, including work that the work posts.
    void runPending();
    // Sets the clock without firing anything (for tests that place the clock at a date).
    void setNow(Instant now) { m_now = now; }
    // Steps the wall clock as a suspend or a clock change does: timers keep their distance
    // from now, as Qt's do on the monotonic clock, so nothing fires in the gap.
    void jumpWallClock(double seconds);

    int activeTimerCount() const;
    int pendingWorkCount() const { return static_cast<int>(m_posted.size()); }

    struct Entry;

private:
    ScheduledWorkHandle schedule(double delaySeconds, double intervalSeconds, std::function<void()> work);

    Instant m_now;
    std::uint64_t m_sequence = 0;
    std::deque<std::function<void()>> m_posted;
    std::vector<std::shared_ptr<Entry>> m_entries;
};
