// Input benchmarks.
//
//   bench_input                      cost per event of the tap's handling path, over a million
//                                    synthetic XInput2 raw events (ns/event)
//   bench_input --inject RATE SECS   sends RATE XTest relative motion events a second for SECS
//                                    seconds to $DISPLAY (used by input_cpu.sh)
#include "platform/linux/input/x11/RawInputFilter.h"
#include "platform/linux/input/x11/X11InputTap.h"

#include <X11/Xlib.h>
#include <X11/extensions/XI2proto.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>
#include <vector>

namespace {

constexpr int kXiOpcode = 131;
constexpr int kEvents = 1'000'000;

// A stream of raw events as a busy desktop produces them: mostly motion, some typing
// (including modifiers) and clicks, occasionally the wheel and drags.
struct SyntheticEvents {
    // As the server sends them: the 32-byte head of each generic event.
    std::vector<xXIRawEvent> raw;

    explicit SyntheticEvents(double motionShare)
    {
        constexpr std::size_t kSize = 4096;
        std::mt19937 random(42);
        std::uniform_real_distribution<double> share(0.0, 1.0);
        std::uniform_int_distribution<int> keycode(9, 135);
        std::uniform_int_distribution<int> button(1, 7);
        raw.reserve(kSize + 1);
        while (raw.size() < kSize) {
            const double pick = share(random);
            if (pick < motionShare) {
                add(XI_RawMotion, 0);
            } else if (pick < motionShare + (1 - motionShare) * 0.6) {
                add(XI_RawKeyPress, keycode(random));
            } else {
                // a click: the press, sometimes a drag, then the release
                const int which = button(random);
                add(XI_RawButtonPress, which);
                if (which <= 3 && share(random) < 0.2) {
                    for (int i = 0; i < 5; ++i)
                        add(XI_RawMotion, 0);
                }
                add(XI_RawButtonRelease, which);
            }
        }
    }

    void add(int type, int detail)
    {
        xXIRawEvent r;
        std::memset(&r, 0, sizeof r);
        r.type = GenericEvent;
        r.extension = kXiOpcode;
        r.evtype = static_cast<uint16_t>(type);
        r.detail = static_cast<uint32_t>(detail);
        raw.push_back(r);
    }
};

RawInputFilter filterWithModifiers()
{
    std::array<bool, RawInputFilter::kKeycodeCount> modifiers{};
    for (const int code : {37, 50, 62, 64, 66, 105, 108, 133, 134})
        modifiers[static_cast<unsigned>(code)] = true;
    RawInputFilter filter;
    filter.setModifierKeys(modifiers);
    return filter;
}

double nanosecondsPerEvent(const SyntheticEvents &stream, int *counted)
{
    RawInputFilter filter = filterWithModifiers();
    const std::size_t size = stream.raw.size();
    int active = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kEvents; ++i)
        active += X11InputTap::countsAsActivity(
            filter, kXiOpcode,
            reinterpret_cast<const xcb_generic_event_t &>(stream.raw[static_cast<std::size_t>(i) % size]));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    *counted = active;
    return static_cast<double>(std::chrono::duration_cast<std::chrono::nanoseconds>(elapsed).count()) / kEvents;
}

int runSynthetic()
{
    std::printf("tap handling path, %d synthetic raw events per run, best of 7 runs\n", kEvents);
    for (const double motionShare : {1.0, 0.9}) {
        const SyntheticEvents stream(motionShare);
        std::vector<double> runs;
        int counted = 0;
        for (int run = 0; run < 7; ++run)
            runs.push_back(nanosecondsPerEvent(stream, &counted));
        std::sort(runs.begin(), runs.end());
        std::printf("  %3.0f %% motion: %.2f ns/event (median %.2f), %d of %d counted as activity\n", motionShare * 100,
                    runs.front(), runs[runs.size() / 2], counted, kEvents);
    }
    std::printf("target: < 100 ns/event\n");
    return 0;
}

void sleepUntil(const timespec &deadline)
{
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) != 0) {
    }
}

int runInjector(int rate, int seconds)
{
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "bench_input: cannot open the display\n");
        return 1;
    }
    // Park the pointer in a corner, away from the program's windows (a warp makes no raw event).
    const int width = DisplayWidth(display, DefaultScreen(display));
    const int height = DisplayHeight(display, DefaultScreen(display));
    XWarpPointer(display, None, DefaultRootWindow(display), 0, 0, 0, 0, width - 10, height - 10);
    XSync(display, False);

    const long total = static_cast<long>(rate) * seconds;
    const long periodNs = 1'000'000'000L / rate;
    timespec start{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    for (long i = 0; i < total; ++i) {
        const long offset = i * periodNs;
        timespec due{start.tv_sec + (start.tv_nsec + offset) / 1'000'000'000L,
                     (start.tv_nsec + offset) % 1'000'000'000L};
        sleepUntil(due);
        XTestFakeRelativeMotionEvent(display, (i % 2) ? 1 : -1, 0, CurrentTime);
        XFlush(display);
    }
    XSync(display, False);
    timespec end{};
    clock_gettime(CLOCK_MONOTONIC, &end);
    const double elapsed = static_cast<double>(end.tv_sec - start.tv_sec) + (end.tv_nsec - start.tv_nsec) / 1e9;
    std::printf("injected %ld motion events in %.2f s (%.0f a second)\n", total, elapsed, total / elapsed);
    XCloseDisplay(display);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc >= 2 && std::strcmp(argv[1], "--inject") == 0) {
        const int rate = argc >= 3 ? std::atoi(argv[2]) : 1000;
        const int seconds = argc >= 4 ? std::atoi(argv[3]) : 10;
        if (rate <= 0 || seconds <= 0) {
            std::fprintf(stderr, "usage: bench_input --inject RATE SECONDS\n");
            return 2;
        }
        return runInjector(rate, seconds);
    }
    return runSynthetic();
}
