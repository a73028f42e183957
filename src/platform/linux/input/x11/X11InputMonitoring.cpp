#include "X11InputMonitoring.h"

#include "X11InputTap.h"

#include <QtGlobal>

bool X11InputMonitoring::isWaylandSession()
{
    return qgetenv("XDG_SESSION_TYPE").trimmed().toLower() == "wayland" ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

bool X11InputMonitoring::isTrusted() { return !isWaylandSession() && X11InputTap::isAvailable(QByteArray()); }

std::unique_ptr<InputTap> X11InputMonitoring::createTap(std::function<void()> onActivity)
{
    // Like a tap refused for want of permission, none is made where it would see too little.
    if (isWaylandSession())
        return nullptr;
    return X11InputTap::create(QByteArray(), m_loop, std::move(onActivity));
}
