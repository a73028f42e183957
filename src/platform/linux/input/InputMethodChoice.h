#pragma once

#include <QString>

#include <functional>

// The ways this program observes the user's input on Linux.
enum class InputMethod {
    none,
    x11XInput2,
    extIdleNotify,
    mutterIdleMonitor,
    kdeIdle,
};

// Which method observes input: on an X11 session XInput2 alone; on a Wayland session the first
// that `answers` among ext-idle-notify-v1, Mutter's IdleMonitor and org_kde_kwin_idle, the
// standard protocol before the desktop-specific ones. `answers` is asked in that order and no
// further than the first that answers.
InputMethod chooseInputMethod(bool waylandSession, const std::function<bool(InputMethod)> &answers);

// The method's name for the log and the user ("X11 XInput2", ...); empty for none.
QString inputMethodName(InputMethod method);

// What the session lacks when no method answers, and what the user can do about it.
QString missingInputMethodText(bool waylandSession);
QString missingInputMethodTitle(bool waylandSession);
