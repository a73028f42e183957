#pragma once

#include "platform/InputMonitoring.h"
#include "platform/MainLoop.h"

// Input monitoring on an X11 session through XInput2 raw events.
//
// X11 has no permission to grant: any client of the session may observe input. What can be
// missing is the session itself: under Wayland the X server (XWayland) only sees input aimed
// at XWayland windows, so a tap there would miss most of the user's typing. The program is
// therefore trusted exactly on an X11 session whose server offers XInput 2.0 or later.
class X11InputMonitoring final : public InputMonitoring {
public:
    explicit X11InputMonitoring(MainLoop &loop) : m_loop(loop) {}

    bool isTrusted() override;
    // X11 has no system prompt for this; the alert of the activity monitor explains what to do.
    void promptForTrust() override {}
    std::unique_ptr<InputTap> createTap(std::function<void()> onActivity) override;

    // Whether the desktop session is a Wayland one, by its environment.
    static bool isWaylandSession();

private:
    MainLoop &m_loop;
};
