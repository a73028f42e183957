#pragma once

#include "Instant.h"

#include <chrono>
#include <functional>
#include <memory>

// A scheduled piece of work: a repeating timer or a delayed task.
// Invalidating it (or destroying the handle) guarantees its work never runs again;
// invalidating one that already stopped does nothing.
class ScheduledWork {
public:
    virtual ~ScheduledWork() = default;
    virtual void invalidate() = 0;
    virtual bool isValid() const = 0;
};

using ScheduledWorkHandle = std::unique_ptr<ScheduledWork>;

// Invalidates and releases a handle that may be absent.
inline void invalidate(ScheduledWorkHandle &handle)
{
    if (handle) {
        handle->invalidate();
        handle.reset();
    }
}

// The one thread of control: the clocks, queued main-thread work and timers.
// Nothing in the logic reads the system clock or creates a QTimer itself, so tests
// can run the program on virtual time.
//
// Three clocks, as Linux keeps them: the wall clock (now()) stamps records and may be set or
// stepped at any time; the monotonic clock stops while the machine sleeps; the boot clock runs
// on through sleep. Neither of the last two moves when the wall clock is set, so durations are
// measured on them: the boot clock running ahead of the monotonic one is a sleep.
class MainLoop {
public:
    virtual ~MainLoop() = default;

    virtual Instant now() const = 0;
    // Seconds from an arbitrary start.
    virtual double monotonicSeconds() const = 0;
    virtual double bootSeconds() const = 0;

    // Calls `handler` with the size of each step of the wall clock (set by hand, stepped by NTP;
    // never a sleep) before any work of the loop runs after it, so instants kept from before
    // can be moved with the clock. Until the handle is invalidated or destroyed.
    virtual ScheduledWorkHandle onWallClockStep(std::function<void(double seconds)> handler) = 0;

    // Runs `work` later on the main thread, after the work in progress, in the order posted.
    virtual void post(std::function<void()> work) = 0;

    // Calls `tick` every `intervalSeconds` until the handle is invalidated or destroyed.
    virtual ScheduledWorkHandle scheduleRepeating(double intervalSeconds, std::function<void()> tick) = 0;

    // Calls `work` once after `delay`, unless cancelled first.
    virtual ScheduledWorkHandle scheduleDelayed(std::chrono::nanoseconds delay, std::function<void()> work) = 0;
};
