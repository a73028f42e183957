#include "X11IdleAlarm.h"

#include <X11/Xlib.h>
#include <X11/extensions/sync.h>

#include <cstring>

std::unique_ptr<X11IdleAlarm> X11IdleAlarm::create(Display *display)
{
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XSyncQueryExtension(display, &eventBase, &errorBase) || !XSyncInitialize(display, &major, &minor))
        return nullptr;
    int count = 0;
    XSyncSystemCounter *counters = XSyncListSystemCounters(display, &count);
    std::unique_ptr<X11IdleAlarm> alarm;
    for (int i = 0; i < count && !alarm; ++i) {
        if (counters[i].name && std::strcmp(counters[i].name, "IDLETIME") == 0)
            alarm.reset(new X11IdleAlarm(display, counters[i].counter, eventBase));
    }
    if (counters)
        XSyncFreeSystemCounterList(counters);
    return alarm;
}

X11IdleAlarm::~X11IdleAlarm()
{
    if (m_alarm)
        XSyncDestroyAlarm(m_display, m_alarm);
}

void X11IdleAlarm::arm(int idleMilliseconds)
{
    XSyncAlarmAttributes attributes{};
    attributes.trigger.counter = m_counter;
    attributes.trigger.value_type = XSyncAbsolute;
    XSyncIntToValue(&attributes.trigger.wait_value, idleMilliseconds);
    // A comparison, not a transition: it holds at once when the pause is already longer.
    attributes.trigger.test_type = XSyncPositiveComparison;
    XSyncIntToValue(&attributes.delta, 0);
    attributes.events = True;
    const unsigned long fields =
        XSyncCACounter | XSyncCAValueType | XSyncCAValue | XSyncCATestType | XSyncCADelta | XSyncCAEvents;
    // Changing the trigger makes a rung alarm active again.
    if (m_alarm)
        XSyncChangeAlarm(m_display, m_alarm, fields, &attributes);
    else
        m_alarm = XSyncCreateAlarm(m_display, fields, &attributes);
    XFlush(m_display);
}

bool X11IdleAlarm::rang(const xcb_generic_event_t &event) const
{
    if ((event.response_type & 0x7f) != m_eventBase + XSyncAlarmNotify)
        return false;
    // The alarm's id sits where XCB's event layout has it, after the kind and the sequence.
    std::uint32_t alarm = 0;
    std::memcpy(&alarm, reinterpret_cast<const char *>(&event) + 4, sizeof alarm);
    return alarm == m_alarm;
}
