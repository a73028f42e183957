#include "FakeMainLoop.h"

#include <algorithm>

namespace {

class FakeHandle final : public ScheduledWork {
public:
    explicit FakeHandle(std::weak_ptr<FakeMainLoop::Entry> entry) : m_entry(std::move(entry)) {}
    ~FakeHandle() override { invalidate(); }
    void invalidate() override
    {
        if (auto entry = m_entry.lock())
            entry->valid = false;
    }
    bool isValid() const override
    {
        const auto entry = m_entry.lock();
        return entry && entry->valid;
    }

private:
    std::weak_ptr<FakeMainLoop::Entry> m_entry;
};

} // namespace

ScheduledWorkHandle FakeMainLoop::schedule(double delaySeconds, double intervalSeconds, std::function<void()> work)
{
    auto entry =
        std::make_shared<Entry>(Entry{m_now.addSeconds(delaySeconds), intervalSeconds, m_sequence++, std::move(work)});
    m_entries.push_back(entry);
    return std::make_unique<FakeHandle>(entry);
}

void FakeMainLoop::runPending()
{
    while (!m_posted.empty()) {
        auto work = std::move(m_posted.front());
        m_posted.pop_front();
        work();
    }
}

void FakeMainLoop::advance(double seconds)
{
    const Instant target = m_now.addSeconds(seconds);
    runPending();
    for (;;) {
        std::erase_if(m_entries, [](const auto &entry) { return !entry->valid; });
        auto next = std::min_element(m_entries.begin(), m_entries.end(), [](const auto &a, const auto &b) {
            return a->due != b->due ? a->due < b->due : a->sequence < b->sequence;
        });
        if (next == m_entries.end() || (*next)->due > target)
            break;
        const std::shared_ptr<Entry> entry = *next;
        const double elapsed = entry->due.secondsSince(m_now);
        m_monotonic += elapsed;
        m_boot += elapsed;
        m_now = entry->due;
        if (entry->interval > 0) {
            entry->due = entry->due.addSeconds(entry->interval);
            entry->sequence = m_sequence++;
        } else {
            entry->valid = false;
        }
        // Keep the function alive while it runs: it may invalidate its own handle.
        const auto work = entry->work;
        work();
        runPending();
    }
    const double rest = target.secondsSince(m_now);
    m_monotonic += rest;
    m_boot += rest;
    m_now = target;
    runPending();
}

void FakeMainLoop::skip(double seconds)
{
    m_now = m_now.addSeconds(seconds);
    m_boot += seconds;
    for (const auto &entry : m_entries)
        entry->due = entry->due.addSeconds(seconds);
}

void FakeMainLoop::sleep(double seconds) { skip(seconds); }

void FakeMainLoop::stall(double seconds)
{
    skip(seconds);
    m_monotonic += seconds;
}

ScheduledWorkHandle FakeMainLoop::onWallClockStep(std::function<void(double seconds)> handler)
{
    auto entry = std::make_shared<Entry>(Entry{m_now, 0, m_sequence++, {}, true});
    m_stepHandlers.emplace_back(entry, std::move(handler));
    return std::make_unique<FakeHandle>(entry);
}

void FakeMainLoop::stepWallClock(double seconds)
{
    m_now = m_now.addSeconds(seconds);
    // Timers run on the monotonic clock: they fire when they would have.
    for (const auto &entry : m_entries)
        entry->due = entry->due.addSeconds(seconds);
    std::erase_if(m_stepHandlers, [](const auto &handler) { return !handler.first->valid; });
    const auto handlers = m_stepHandlers;
    for (const auto &[entry, handler] : handlers) {
        if (entry->valid)
            handler(seconds);
    }
    runPending();
}

int FakeMainLoop::activeTimerCount() const
{
    return static_cast<int>(std::count_if(m_entries.begin(), m_entries.end(), [](const auto &e) { return e->valid; }));
}
