#include "SessionEvents.h"

void SessionEvents::set(Cause cause, bool on)
{
    const bool wasInactive = isInactive();
    m_causes.set(static_cast<std::size_t>(cause), on);
    if (isInactive() != wasInactive)
        emit inactiveChanged(isInactive());
}
