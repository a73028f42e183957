#include "FocusClock.h"

#include <QPointer>

#include <algorithm>
#include <cmath>

FocusClock::FocusClock(MainLoop &loop, QObject *parent) : QObject(parent), m_loop(loop)
{
    // A stretch keeps its length when the wall clock is set.
    m_wallClockSteps = loop.onWallClockStep([this](double step) {
        if (m_stretchStart)
            m_stretchStart = m_stretchStart->addSeconds(step);
    });
}

qint64 FocusClock::runningStretchSeconds() const
{
    if (!m_stretchStart)
        return 0;
    // Truncated toward zero, never negative.
    return std::max<qint64>(0, static_cast<qint64>(std::trunc(m_loop.now().secondsSince(*m_stretchStart))));
}

qint64 FocusClock::sessionSecondsNow() const { return m_accumulatedSeconds + runningStretchSeconds(); }

void FocusClock::select(std::optional<QUuid> id)
{
    if (m_taskId != id) {
        m_taskId = id;
        emit taskIdChanged();
    }
    m_accumulatedSeconds = 0;
    m_creditedSeconds = 0;
    setSessionSeconds(0);
    m_stretchStart.reset();
}

void FocusClock::resume()
{
    if (m_isRunning || !m_taskId)
        return;
    setRunning(true);
    m_stretchStart = m_loop.now();
    invalidate(m_ticks);
    m_ticks = m_loop.scheduleRepeating(1.0, [self = QPointer<FocusClock>(this), &loop = m_loop] {
        loop.post([self] {
            if (self)
                self->refresh();
        });
    });
}

bool FocusClock::pause(std::optional<Instant> stretchEnd)
{
    if (!m_isRunning)
        return false;
    setRunning(false);
    if (m_stretchStart) {
        const Instant now = m_loop.now();
        const Instant end = stretchEnd ? std::clamp(*stretchEnd, *m_stretchStart, now) : now;
        m_accumulatedSeconds += static_cast<qint64>(std::trunc(end.secondsSince(*m_stretchStart)));
        m_stretchStart.reset();
    }
    invalidate(m_ticks);
    refresh();
    return true;
}

void FocusClock::stop()
{
    invalidate(m_ticks);
    setRunning(false);
}

void FocusClock::refresh()
{
    setSessionSeconds(sessionSecondsNow());
    if (m_sessionSeconds - m_creditedSeconds >= kCreditEverySeconds)
        emit creditDue();
}

void FocusClock::setRunning(bool running)
{
    if (m_isRunning == running)
        return;
    m_isRunning = running;
    emit isRunningChanged();
}

void FocusClock::setSessionSeconds(qint64 seconds)
{
    if (m_sessionSeconds == seconds)
        return;
    m_sessionSeconds = seconds;
    emit sessionSecondsChanged();
}
