#pragma once

#include "platform/MainLoop.h"

#include <QObject>

#include <memory>
#include <vector>

// The main loop on Qt's event loop: posted work is a queued call, timers are QTimers.
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
    ScheduledWorkHandle scheduleRepeating(double intervalSeconds, std::function<void()> tick) override;
    ScheduledWorkHandle scheduleDelayed(std::chrono::nanoseconds delay, std::function<void()> work) override;

private:
    struct StepHandler;

    QObject m_context;
    double m_wallMinusBoot;
    std::vector<std::shared_ptr<StepHandler>> m_stepHandlers;
};
