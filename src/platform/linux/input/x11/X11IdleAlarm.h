#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <memory>

typedef struct _XDisplay Display;

// An alarm on the X server's IDLETIME counter (the SYNC extension): once armed, the server
// sends one event when no input of any device has come for the given time. While input goes
// on, nothing at all passes between the server and the program.
class X11IdleAlarm {
public:
    // Nothing when the server lacks SYNC or its IDLETIME counter.
    static std::unique_ptr<X11IdleAlarm> create(Display *display);
    ~X11IdleAlarm();

    // The server counts from the last input: an alarm armed after a longer pause rings at once.
    void arm(int idleMilliseconds);
    bool rang(const xcb_generic_event_t &event) const;

    X11IdleAlarm(const X11IdleAlarm &) = delete;
    X11IdleAlarm &operator=(const X11IdleAlarm &) = delete;

private:
    X11IdleAlarm(Display *display, unsigned long counter, int eventBase)
        : m_display(display),
          m_counter(counter),
          m_eventBase(eventBase)
    {}

    Display *m_display;
    unsigned long m_counter; // XSyncCounter
    int m_eventBase;
    unsigned long m_alarm = 0; // XSyncAlarm, made when first armed
};
