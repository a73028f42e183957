#include "FakeMainLoop.h"

#include <algorithm>

struct FakeMainLoop::Entry {
    Instant due;
    double interval = 0; // 0: fires once
    std::uint64_t sequence = 0;
    std::function<void()> work;
    bool valid = true;
};

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

FakeMainLoop::FakeMainLoop(Instant start) : m_now(start) {}

void FakeMainLoop::post(std::function<void()> work) { m_posted.push_back(std::move(work)); }

ScheduledWorkHandle FakeMainLoop::scheduleRepeating(double intervalSeconds, std::function<void()> tick)
{
    return schedule(intervalSeconds, intervalSeconds, std::move(tick));
}

ScheduledWorkHandle FakeMainLoop::scheduleDelayed(std::chrono::nanoseconds delay, std::function<void()> work)
{
    return schedule(static_cast<double>(delay.count()) / 1e9, 0, std::move(work));
}

ScheduledWorkHandle FakeMainLoop::schedule(double delaySeconds, double intervalSeconds, std::function<void()> work)
{
    auto entry = std::make_shared<Entry>();
    entry->due = m_now.addSeconds(delaySeconds);
    entry->interval = intervalSeconds;
    entry->sequence = m_sequence++;
    entry->work = std::move(work);
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
    m_now = target;
    runPending();
}

void FakeMainLoop::jumpWallClock(double seconds)
{
    m_now = m_now.addSeconds(seconds);
    for (const auto &entry : m_entries)
        entry->due = entry->due.addSeconds(seconds);
}

int FakeMainLoop::activeTimerCount() const
{
    return static_cast<int>(std::count_if(m_entries.begin(), m_entries.end(), [](const auto &e) { return e->valid; }));
}
