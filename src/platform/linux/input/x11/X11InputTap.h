#pragma once

#include "RawInputFilter.h"
#include "X11IdleAlarm.h"
#include "platform/InputMonitoring.h"
#include "platform/MainLoop.h"

#include <QByteArray>

#include <xcb/xcb.h>

#include <cstdint>
#include <functional>
#include <memory>

class QSocketNotifier;
typedef struct _XDisplay Display;

// A listen-only input tap on X11: XInput2 raw events of all master devices, selected on the
// root window of a connection of its own, so it sees input whichever window has the focus
// and never takes anything away from other clients. The Qt event loop watches the
// connection's socket; each batch of events read reports activity at most once.
//
// A busy mouse sends a thousand events a second, and waking up for each would cost more than
// all the rest of the program. So once a batch has shown activity, the tap follows the input
// on the main loop's timers (the tick's wake-up), reporting activity once a quiet period: the
// server stops sending raw events and rings an idle alarm (X11IdleAlarm) once input has paused
// for a quiet period, and the tap then selects raw events again. Activity is thus reported at
// once after a pause, and at most a quiet period late while input goes on; while following,
// any input counts, modifiers alone too. A server without the alarm keeps sending raw events,
// and what piled up is read once a quiet period until a read finds no activity.
class X11InputTap final : public InputTap {
public:
    // `displayName` empty means $DISPLAY. Answers nothing when the display cannot be opened,
    // lacks XInput 2.0, or refuses the event selection.
    static std::unique_ptr<X11InputTap> create(const QByteArray &displayName, MainLoop &loop,
                                               std::function<void()> onActivity,
                                               int quietPeriodMs = kQuietPeriodMs);
    ~X11InputTap() override;

    // As long as the idle check's own resolution: presence is judged once a second anyway, and
    // a longer sleep lets a steady stream of input wake the program about once a second.
    static constexpr int kQuietPeriodMs = 1000;

    // Whether the display can be opened and offers XInput 2.0 or later.
    static bool isAvailable(const QByteArray &displayName);

    X11InputTap(const X11InputTap &) = delete;
    X11InputTap &operator=(const X11InputTap &) = delete;

    // The per-event part of the handling path, on the event as XCB read it from the server:
    // answers whether it counts as activity.
    static bool countsAsActivity(RawInputFilter &filter, int xiOpcode, const xcb_generic_event_t &event);

    // Whether input went on lately and the tap follows it on the loop's timers.
    bool isFollowing() const { return m_quietReads != nullptr; }

    // How many raw input events the tap has read so far, counted or not.
    std::uint64_t rawEventsRead() const { return m_rawEventsRead; }

private:
    X11InputTap(Display *display, int xiOpcode, int xkbEventBase, MainLoop &loop, std::function<void()> onActivity,
                int quietPeriodMs);

    void onSocketReadable();
    void startFollowing();
    void followInput();
    void stopFollowing();
    // Reads what the socket holds: answers whether any of it counts as activity.
    bool readPendingEvents();
    // Answers whether the event counts as activity.
    bool handleEvent(const xcb_generic_event_t &event);
    void loadModifierKeys();

    Display *m_display;
    int m_xiOpcode;
    int m_xkbEventBase; // -1 without XKB
    MainLoop &m_loop;
    std::function<void()> m_onActivity;
    RawInputFilter m_filter;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::unique_ptr<X11IdleAlarm> m_idleAlarm;
    int m_quietPeriodMs;
    ScheduledWorkHandle m_quietReads;
    bool m_alarmRang = false;
    std::uint64_t m_rawEventsRead = 0;
    bool m_keymapChanged = false;
};
