#pragma once

#include "platform/MainLoop.h"

#include <functional>

// Turns a compositor's idle and resumed notifications into the activity reports an input tap
// gives, so the activity monitor works the same on every session.
//
// Wayland compositors do not hand input to a bystander; they only say when the seat has been
// idle for a timeout (1 s here) and when input resumes. So while the user is active the
// reporter reports about once a second (the idle check's resolution), at once on resuming;
// while idle it reports nothing and keeps no timer, so the program does not wake up for it.
//
// What such a notification counts is the compositor's choice: any input on the seat, among it
// a modifier key pressed alone, a middle click or a drag, which the X11 tap leaves out.
class IdleActivityReporter {
public:
    // The idle timeout asked of the compositor, in milliseconds.
    static constexpr unsigned kIdleTimeoutMs = 1000;

    // Starts as active: compositors only tell of resumed input after telling of idleness, and
    // the activity monitor counts the user present when its tap is installed anyway.
    IdleActivityReporter(MainLoop &loop, std::function<void()> onActivity);

    void idled();
    void resumed();
    bool isIdle() const { return m_reports == nullptr; }

private:
    void startReporting();

    MainLoop &m_loop;
    std::function<void()> m_onActivity;
    ScheduledWorkHandle m_reports;
};
