#include "IdleActivityReporter.h"

IdleActivityReporter::IdleActivityReporter(MainLoop &loop, std::function<void()> onActivity)
    : m_loop(loop),
      m_onActivity(std::move(onActivity))
{
    startReporting();
}

void IdleActivityReporter::idled() { invalidate(m_reports); }

void IdleActivityReporter::resumed()
{
    if (!isIdle())
        return;
    m_onActivity();
    startReporting();
}

void IdleActivityReporter::startReporting()
{
    m_reports = m_loop.scheduleRepeating(kIdleTimeoutMs / 1000.0, [this] { m_onActivity(); });
}
