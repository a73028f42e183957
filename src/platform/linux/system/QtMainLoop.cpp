#include "QtMainLoop.h"

#include <QTimer>

#include <chrono>
#include <cmath>

#include <time.h>

namespace {

// A wall clock that moves by more than this against the boot clock between two pieces of work
// was set or stepped; NTP's slewing moves it by far less.
constexpr double kStepSeconds = 1.0;

double secondsOf(clockid_t clock)
{
    timespec now{};
    ::clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

double wallSeconds() { return secondsOf(CLOCK_REALTIME); }

class QtScheduledWork final : public ScheduledWork {
public:
    QtScheduledWork(QtMainLoop &loop, int intervalMs, bool singleShot, std::function<void()> work) : m_timer(new QTimer)
    {
        m_timer->setSingleShot(singleShot);
        // Coarse timers let the kernel batch wake-ups; one-second ticks stay within 5 %.
        m_timer->setTimerType(intervalMs >= 1000 ? Qt::CoarseTimer : Qt::PreciseTimer);
        m_timer->setInterval(intervalMs);
        QObject::connect(m_timer, &QTimer::timeout, m_timer, [this, &loop, singleShot, work = std::move(work)] {
            if (singleShot)
                m_fired = true;
            loop.checkWallClock();
            work();
            loop.runPosted();
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

struct QtMainLoop::StepHandler final : ScheduledWork {
    explicit StepHandler(std::function<void(double)> handler) : handler(std::move(handler)) {}
    void invalidate() override { valid = false; }
    bool isValid() const override { return valid; }
    std::function<void(double)> handler;
    bool valid = true;
};

namespace {

// The handle the caller keeps; the loop keeps the handler itself, to skip it once invalid.
class StepHandle final : public ScheduledWork {
public:
    explicit StepHandle(std::weak_ptr<ScheduledWork> handler) : m_handler(std::move(handler)) {}
    ~StepHandle() override { invalidate(); }
    void invalidate() override
    {
        if (const auto handler = m_handler.lock())
            handler->invalidate();
    }
    bool isValid() const override
    {
        const auto handler = m_handler.lock();
        return handler && handler->isValid();
    }

private:
    std::weak_ptr<ScheduledWork> m_handler;
};

} // namespace

QtMainLoop::QtMainLoop() : m_wallMinusBoot(wallSeconds() - secondsOf(CLOCK_BOOTTIME))
{
    m_postedSoon.setSingleShot(true);
    m_postedSoon.setInterval(0);
    QObject::connect(&m_postedSoon, &QTimer::timeout, &m_postedSoon, [this] { runPosted(); });
}
QtMainLoop::~QtMainLoop() = default;

double QtMainLoop::monotonicSeconds() const { return secondsOf(CLOCK_MONOTONIC); }

double QtMainLoop::bootSeconds() const { return secondsOf(CLOCK_BOOTTIME); }

ScheduledWorkHandle QtMainLoop::onWallClockStep(std::function<void(double seconds)> handler)
{
    auto kept = std::make_shared<StepHandler>(std::move(handler));
    m_stepHandlers.push_back(kept);
    return std::make_unique<StepHandle>(kept);
}

void QtMainLoop::checkWallClock()
{
    const double wallMinusBoot = wallSeconds() - secondsOf(CLOCK_BOOTTIME);
    const double step = wallMinusBoot - std::exchange(m_wallMinusBoot, wallMinusBoot);
    if (std::abs(step) < kStepSeconds)
        return;
    std::erase_if(m_stepHandlers, [](const auto &handler) { return !handler->valid; });
    const auto handlers = m_stepHandlers;
    for (const auto &handler : handlers) {
        if (handler->valid)
            handler->handler(step);
    }
}

Instant QtMainLoop::now() const
{
    using namespace std::chrono;
    const auto sinceEpoch = duration_cast<microseconds>(system_clock::now().time_since_epoch());
    return Instant::fromUnixSeconds(static_cast<double>(sinceEpoch.count()) / 1e6);
}

void QtMainLoop::post(std::function<void()> work)
{
    m_posted.push_back(std::move(work));
    // Armed even while the queue is being run: work that opens a dialog runs a nested loop,
    // and what is posted meanwhile runs in it, as Qt's own queued calls would.
    if (!m_postedSoon.isActive())
        m_postedSoon.start();
}

void QtMainLoop::runPosted()
{
    while (!m_posted.empty()) {
        auto work = std::move(m_posted.front());
        m_posted.pop_front();
        checkWallClock();
        work();
    }
    m_postedSoon.stop();
}

ScheduledWorkHandle QtMainLoop::scheduleRepeating(double intervalSeconds, std::function<void()> tick)
{
    const int ms = static_cast<int>(std::lround(intervalSeconds * 1000.0));
    return std::make_unique<QtScheduledWork>(*this, ms, false, std::move(tick));
}

ScheduledWorkHandle QtMainLoop::scheduleDelayed(std::chrono::nanoseconds delay, std::function<void()> work)
{
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(delay).count();
    return std::make_unique<QtScheduledWork>(*this, static_cast<int>(ms), true, std::move(work));
}
