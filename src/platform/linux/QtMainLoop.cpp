#include "QtMainLoop.h"

#include <QTimer>

#include <chrono>
#include <cmath>

namespace {

class QtScheduledWork final : public ScheduledWork {
public:
    QtScheduledWork(int intervalMs, bool singleShot, std::function<void()> work) : m_timer(new QTimer)
    {
        m_timer->setSingleShot(singleShot);
        // Coarse timers let the kernel batch wake-ups; one-second ticks stay within 5 %.
        m_timer->setTimerType(intervalMs >= 1000 ? Qt::CoarseTimer : Qt::PreciseTimer);
        m_timer->setInterval(intervalMs);
        QObject::connect(m_timer, &QTimer::timeout, m_timer, [this, singleShot, work = std::move(work)] {
            if (singleShot)
                m_fired = true;
            work();
        });
        m_timer->start();
    }

    ~QtScheduledWork() override { invalidate(); }

    void invalidate() override
    {
        if (!m_timer)
            return;
        // The work may invalidate its own handle while the timer is emitting: defer the delete.
        m_timer->stop();
        m_timer->disconnect();
        m_timer->deleteLater();
        m_timer = nullptr;
    }

    bool isValid() const override { return m_timer && !m_fired; }

private:
    QTimer *m_timer;
    bool m_fired = false;
};

} // namespace

QtMainLoop::QtMainLoop() = default;
QtMainLoop::~QtMainLoop() = default;

Instant QtMainLoop::now() const
{
    using namespace std::chrono;
    const auto sinceEpoch = duration_cast<microseconds>(system_clock::now().time_since_epoch());
    return Instant::fromUnixSeconds(static_cast<double>(sinceEpoch.count()) / 1e6);
}

void QtMainLoop::post(std::function<void()> work)
{
    QMetaObject::invokeMethod(&m_context, std::move(work), Qt::QueuedConnection);
}

ScheduledWorkHandle QtMainLoop::scheduleRepeating(double intervalSeconds, std::function<void()> tick)
{
    const int ms = static_cast<int>(std::lround(intervalSeconds * 1000.0));
    return std::make_unique<QtScheduledWork>(ms, false, std::move(tick));
}

ScheduledWorkHandle QtMainLoop::scheduleDelayed(std::chrono::nanoseconds delay, std::function<void()> work)
{
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(delay).count();
    return std::make_unique<QtScheduledWork>(static_cast<int>(ms), true, std::move(work));
}
