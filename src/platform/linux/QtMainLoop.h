#pragma once

#include "platform/MainLoop.h"

#include <QObject>

// The main loop on Qt's event loop: posted work is a queued call, timers are QTimers.
class QtMainLoop final : public MainLoop {
public:
    QtMainLoop();
    ~QtMainLoop() override;

    Instant now() const override;
    void post(std::function<void()> work) override;
    ScheduledWorkHandle scheduleRepeating(double intervalSeconds, std::function<void()> tick) override;
    ScheduledWorkHandle scheduleDelayed(std::chrono::nanoseconds delay, std::function<void()> work) override;

private:
    QObject m_context;
};
