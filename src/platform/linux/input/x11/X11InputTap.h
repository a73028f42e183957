#pragma once

#include "RawInputFilter.h"
#include "platform/InputMonitoring.h"

#include <QByteArray>

#include <cstdint>
#include <functional>
#include <memory>

class QSocketNotifier;
class QTimer;
typedef struct _XDisplay Display;
typedef union _XEvent XEvent;

// A listen-only input tap on X11: XInput2 raw events of all master devices, selected on the
// root window of a connection of its own, so it sees input whichever window has the focus
// and never takes anything away from other clients. The Qt event loop watches the
// connection's socket; each batch of events read reports activity at most once.
//
// A busy mouse sends a thousand events a second, and waking up for each would cost more than
// all the rest of the program. So once a batch has shown activity, the tap stops watching the
// socket for a short quiet period and then reads what has piled up in one go: activity is
// reported at once after a pause in input, and at most a quiet period late while input goes on.
class X11InputTap final : public InputTap {
public:
    // `displayName` empty means $DISPLAY. Answers nothing when the display cannot be opened,
    // lacks XInput 2.0, or refuses the event selection.
    static std::unique_ptr<X11InputTap> create(const QByteArray &displayName, std::function<void()> onActivity);
    ~X11InputTap() override;

    // As long as the idle check's own resolution: presence is judged once a second anyway, and
    // a longer sleep lets a steady stream of input wake the program about once a second.
    static constexpr int kQuietPeriodMs = 1000;

    // Whether the display can be opened and offers XInput 2.0 or later.
    static bool isAvailable(const QByteArray &displayName);

    X11InputTap(const X11InputTap &) = delete;
    X11InputTap &operator=(const X11InputTap &) = delete;

    // The per-event part of the handling path, once Xlib has read the event: answers whether
    // it counts as activity. Key and button events must carry their decoded data (XGetEventData);
    // motion needs none.
    static bool countsAsActivity(RawInputFilter &filter, int xiOpcode, const XEvent &event);

    // How many raw input events the tap has read so far, counted or not.
    std::uint64_t rawEventsRead() const { return m_rawEventsRead; }

private:
    X11InputTap(Display *display, int xiOpcode, int xkbEventBase, std::function<void()> onActivity);

    void readPendingEvents();
    void loadModifierKeys();

    Display *m_display;
    int m_xiOpcode;
    int m_xkbEventBase; // -1 without XKB
    std::function<void()> m_onActivity;
    RawInputFilter m_filter;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::unique_ptr<QTimer> m_quietPeriod;
    std::uint64_t m_rawEventsRead = 0;
    bool m_keymapChanged = false;
};
