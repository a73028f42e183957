#pragma once

#include "platform/MainLoop.h"

#include <QTimer>

#include <deque>
#include <memory>
#include <vector>

// The main loop on Qt's event loop; timers are QTimers. Posted work waits in a queue of its own,
// run right after the timer whose tick posted it, or else by a zero-interval timer on the next
// pass of the loop. A tick's work thus costs no wake-up of its own: a queued call to an object
// would write to the loop's wake-up descriptor and take another pass of poll() for each post.
class QtMainLoop final : public MainLoop {
public:
    QtMainLoop();
    ~QtMainLoop() override;

    Instant now() const override;
    double monotonicSeconds() const override;
    double bootSeconds() const override;
    ScheduledWorkHandle onWallClockStep(std::function<void(double seconds)> handler) override;

    // Compares the wall clock with the boot clock and tells the handlers of a step; the loop
    // calls it before each piece of its work.
    void checkWallClock();
    void post(std::function<void()> work) override;
    // Runs the posted work, including work that it posts, in the order posted.
    void runPosted();
    ScheduledWorkHandle scheduleRepeating(double intervalSeconds, std::function<void()> tick) override;
    ScheduledWorkHandle scheduleDelayed(std::chrono::nanoseconds delay, std::function<void()> work) override;

private:
    struct StepHandler;

    std::deque<std::function<void()>> m_posted;
    QTimer m_postedSoon;
    double m_wallMinusBoot;
    std::vector<std::shared_ptr<StepHandler>> m_stepHandlers;
};
