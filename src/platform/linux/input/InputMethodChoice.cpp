#include "InputMethodChoice.h"

InputMethod chooseInputMethod(bool waylandSession, const std::function<bool(InputMethod)> &answers)
{
    if (!waylandSession)
        return answers(InputMethod::x11XInput2) ? InputMethod::x11XInput2 : InputMethod::none;
    for (const InputMethod method :
         {InputMethod::extIdleNotify, InputMethod::mutterIdleMonitor, InputMethod::kdeIdle}) {
        if (answers(method))
            return method;
    }
    return InputMethod::none;
}

QString inputMethodName(InputMethod method)
{
    switch (method) {
    case InputMethod::none:
        break;
    case InputMethod::x11XInput2:
        return QStringLiteral("X11 XInput2");
    case InputMethod::extIdleNotify:
        return QStringLiteral("ext-idle-notify-v1");
    case InputMethod::mutterIdleMonitor:
        return QStringLiteral("GNOME Mutter IdleMonitor");
    case InputMethod::kdeIdle:
        return QStringLiteral("org_kde_kwin_idle");
    }
    return {};
}

QString missingInputMethodTitle(bool waylandSession)
{
    return waylandSession ? QStringLiteral("This Wayland session tells Pelmix nothing of your activity")
                          : QStringLiteral("This X11 session has no XInput 2");
}

QString missingInputMethodText(bool waylandSession)
{
    const QString keepsChecking =
        QStringLiteral(" Pelmix keeps checking every second and starts counting as soon as the session offers it.");
    if (waylandSession)
        return QStringLiteral("This Wayland session's compositor offers neither ext-idle-notify-v1 nor GNOME Mutter's "
                              "IdleMonitor (nor org_kde_kwin_idle), through which Pelmix sees activity. GNOME, KDE "
                              "Plasma, Sway and other wlroots-based desktops offer one, and so does any X11 (Xorg) "
                              "session: sign in to one of them.") +
               keepsChecking;
    return QStringLiteral("This X11 session's server does not offer XInput 2, through which Pelmix sees activity. "
                          "Sign in to a session whose X server has it (any current Xorg), or to a GNOME, KDE "
                          "Plasma or wlroots-based Wayland session.") +
           keepsChecking;
}
