#include "SessionInputMonitoring.h"

#include "platform/linux/input/idle/ExtIdleNotifyTap.h"
#include "platform/linux/input/idle/KdeIdleTap.h"
#include "platform/linux/input/idle/MutterIdleTap.h"
#include "platform/linux/input/idle/WaylandIdleConnection.h"

#include <optional>

bool SessionInputMonitoring::isTrusted()
{
    // One connection to the compositor tells of both Wayland protocols.
    std::optional<WaylandIdleConnection::Offers> offers;
    auto wayland = [&offers] {
        if (!offers)
            offers = WaylandIdleConnection::probe(QByteArray());
        return *offers;
    };
    m_method = chooseInputMethod(X11InputMonitoring::isWaylandSession(), [&](InputMethod method) {
        switch (method) {
        case InputMethod::x11XInput2:
            return m_x11.isTrusted();
        case InputMethod::extIdleNotify:
            return wayland().seat && wayland().extIdleNotifier;
        case InputMethod::mutterIdleMonitor:
            return MutterIdleTap::isAvailable(QDBusConnection::sessionBus());
        case InputMethod::kdeIdle:
            return wayland().seat && wayland().kdeIdle;
        case InputMethod::none:
            break;
        }
        return false;
    });
    return m_method != InputMethod::none;
}

std::unique_ptr<InputTap> SessionInputMonitoring::createTap(std::function<void()> onActivity)
{
    switch (m_method) {
    case InputMethod::x11XInput2:
        return m_x11.createTap(std::move(onActivity));
    case InputMethod::extIdleNotify:
        return ExtIdleNotifyTap::create(QByteArray(), m_loop, std::move(onActivity));
    case InputMethod::mutterIdleMonitor:
        return MutterIdleTap::create(QDBusConnection::sessionBus(), m_loop, std::move(onActivity));
    case InputMethod::kdeIdle:
        return KdeIdleTap::create(QByteArray(), m_loop, std::move(onActivity));
    case InputMethod::none:
        break;
    }
    return nullptr;
}

QString SessionInputMonitoring::missingAccessTitle() const
{
    return missingInputMethodTitle(X11InputMonitoring::isWaylandSession());
}

QString SessionInputMonitoring::missingAccessText() const
{
    return missingInputMethodText(X11InputMonitoring::isWaylandSession());
}
