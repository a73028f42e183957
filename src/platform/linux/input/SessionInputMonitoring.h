#pragma once

#include "InputMethodChoice.h"
#include "platform/linux/input/x11/X11InputMonitoring.h"
#include "platform/InputMonitoring.h"

class MainLoop;

// Input monitoring on whatever session the program runs in: the X11 tap on an X11 session; on a
// Wayland session, where no client may see another's input, the compositor's idle notifications
// through the first of ext-idle-notify-v1, Mutter's IdleMonitor and org_kde_kwin_idle that it
// offers. Each trust check makes the choice anew, so one that fails at start can succeed later
// (a compositor restarted, GNOME Shell coming up after the program).
class SessionInputMonitoring final : public InputMonitoring {
public:
    explicit SessionInputMonitoring(MainLoop &loop) : m_loop(loop), m_x11(loop) {}

    bool isTrusted() override;
    // No compositor asks the user for this: the alert says what the session lacks.
    void promptForTrust() override {}
    std::unique_ptr<InputTap> createTap(std::function<void()> onActivity) override;
    QString methodName() const override { return inputMethodName(m_method); }
    QString missingAccessTitle() const override;
    QString missingAccessText() const override;

private:
    MainLoop &m_loop;
    X11InputMonitoring m_x11;
    InputMethod m_method = InputMethod::none;
};
