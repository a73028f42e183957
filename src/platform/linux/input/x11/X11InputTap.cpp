#include "X11InputTap.h"

#include <QSocketNotifier>

#include <X11/XKBlib.h>
#include <X11/Xlib-xcb.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XI2proto.h>
#include <X11/extensions/XInput2.h>

#include <cstdlib>

namespace {

// Xlib's default error handler ends the process; while the selection is made, an error is
// only noted. The handler is process-wide, so it is put back right afterwards.
class XErrorTrap {
public:
    explicit XErrorTrap(Display *display) : m_display(display)
    {
        s_failed = false;
        m_previous = XSetErrorHandler(&XErrorTrap::note);
    }
    ~XErrorTrap() { XSetErrorHandler(m_previous); }

    // Waits for the server to process everything sent so far; answers whether all of it succeeded.
    bool succeeded()
    {
        XSync(m_display, False);
        return !s_failed;
    }

private:
    static int note(Display *, XErrorEvent *)
    {
        s_failed = true;
        return 0;
    }

    static inline bool s_failed = false;
    Display *m_display;
    XErrorHandler m_previous;
};

// XInput 2.2 is asked for because from 2.1 on the server delivers raw events to the root
// window even while another client holds a grab; any server answering 2.0 or later will do.
bool negotiateXInput2(Display *display, int *opcode)
{
    int event = 0;
    int error = 0;
    if (!XQueryExtension(display, "XInputExtension", opcode, &event, &error))
        return false;
    int major = 2;
    int minor = 2;
    return XIQueryVersion(display, &major, &minor) == Success && major >= 2;
}

// Raw key presses, button presses and releases, and motion, of the master devices only:
// selecting all devices would deliver each event twice, once from the physical (slave) device
// and once from its master. Selecting none stops the server sending them.
void selectRawInput(Display *display, bool on)
{
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    if (on) {
        XISetMask(bits, XI_RawKeyPress);
        XISetMask(bits, XI_RawButtonPress);
        XISetMask(bits, XI_RawButtonRelease);
        XISetMask(bits, XI_RawMotion);
    }
    XIEventMask mask{XIAllMasterDevices, static_cast<int>(sizeof bits), bits};
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
}

Display *openDisplay(const QByteArray &displayName)
{
    return XOpenDisplay(displayName.isEmpty() ? nullptr : displayName.constData());
}

// The tap's connection hands its events to XCB, as they came: Xlib would convert each raw
// event into a structure of its own, with three allocations, before the tap looked at its type.
// Xlib's requests and replies work on as before. It must be set before any event arrives.
Display *openDisplayForEvents(const QByteArray &displayName)
{
    Display *display = openDisplay(displayName);
    if (display)
        XSetEventQueueOwner(display, XCBOwnsEventQueue);
    return display;
}

// With XCB owning the events, an error of a request without a reply is queued among them.
bool errorQueued(Display *display)
{
    bool failed = false;
    while (xcb_generic_event_t *event = xcb_poll_for_queued_event(XGetXCBConnection(display))) {
        failed |= event->response_type == 0;
        std::free(event);
    }
    return failed;
}

} // namespace

bool X11InputTap::isAvailable(const QByteArray &displayName)
{
    Display *display = openDisplay(displayName);
    if (!display)
        return false;
    int opcode = 0;
    const bool available = negotiateXInput2(display, &opcode);
    XCloseDisplay(display);
    return available;
}

std::unique_ptr<X11InputTap> X11InputTap::create(const QByteArray &displayName, MainLoop &loop,
                                                 std::function<void()> onActivity, int quietPeriodMs)
{
    Display *display = openDisplayForEvents(displayName);
    if (!display)
        return nullptr;
    int opcode = 0;
    if (!negotiateXInput2(display, &opcode)) {
        XCloseDisplay(display);
        return nullptr;
    }

    bool selected = false;
    {
        XErrorTrap trap(display);
        selectRawInput(display, true);
        selected = trap.succeeded() && !errorQueued(display);
    }
    if (!selected) {
        XCloseDisplay(display);
        return nullptr;
    }
    // An Xlib connection speaks XKB, and the server then tells it of keymap changes only when
    // asked: without this a key turned into a modifier (or back) would go unnoticed.
    int xkbEventBase = -1;
    int xkbOpcode = 0;
    int xkbError = 0;
    int xkbMajor = XkbMajorVersion;
    int xkbMinor = XkbMinorVersion;
    if (XkbQueryExtension(display, &xkbOpcode, &xkbEventBase, &xkbError, &xkbMajor, &xkbMinor)) {
        const unsigned long changes = XkbNewKeyboardNotifyMask | XkbMapNotifyMask;
        XkbSelectEvents(display, XkbUseCoreKbd, changes, changes);
    } else {
        xkbEventBase = -1;
    }
    return std::unique_ptr<X11InputTap>(new X11InputTap(display, opcode, xkbEventBase, loop, std::move(onActivity), quietPeriodMs));
}

X11InputTap::X11InputTap(Display *display, int xiOpcode, int xkbEventBase, MainLoop &loop,
                         std::function<void()> onActivity, int quietPeriodMs)
    : m_display(display),
      m_xiOpcode(xiOpcode),
      m_xkbEventBase(xkbEventBase),
      m_loop(loop),
      m_onActivity(std::move(onActivity)),
      m_notifier(std::make_unique<QSocketNotifier>(ConnectionNumber(display), QSocketNotifier::Read)),
      m_idleAlarm(X11IdleAlarm::create(display)),
      m_quietPeriodMs(quietPeriodMs)
{
    loadModifierKeys();
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(), [this] { onSocketReadable(); });
}

X11InputTap::~X11InputTap()
{
    invalidate(m_quietReads);
    m_notifier.reset();
    m_idleAlarm.reset();
    XCloseDisplay(m_display);
}

void X11InputTap::onSocketReadable()
{
    m_alarmRang = false;
    bool active = readPendingEvents();
    if (isFollowing()) {
        // Raw events the server sent before it dropped the selection were reported already.
        if (!m_alarmRang)
            return;
        stopFollowing();
        // Input that came while the selection was taken back sits in XCB's queue, where the
        // socket's notifier would not see it.
        active = readPendingEvents();
    }
    if (!active)
        return;
    startFollowing();
    m_onActivity();
}

void X11InputTap::startFollowing()
{
    if (m_idleAlarm) {
        selectRawInput(m_display, false);
        m_idleAlarm->arm(m_quietPeriodMs);
    } else {
        // Each change of the notifier adds or removes a descriptor of the loop's poll, which
        // costs a wake-up of its own: it is switched off once when input starts.
        m_notifier->setEnabled(false);
    }
    m_quietReads = m_loop.scheduleRepeating(m_quietPeriodMs / 1000.0, [this] { followInput(); });
}

void X11InputTap::followInput()
{
    // Without the alarm, the events that piled up meanwhile are read in one go.
    if (m_idleAlarm || readPendingEvents()) {
        m_onActivity();
        return;
    }
    stopFollowing();
}

void X11InputTap::stopFollowing()
{
    invalidate(m_quietReads);
    if (m_idleAlarm) {
        // Until the server has the selection, input goes unseen: waited for, once a pause.
        selectRawInput(m_display, true);
        XSync(m_display, False);
    } else {
        m_notifier->setEnabled(true);
    }
}

bool X11InputTap::countsAsActivity(RawInputFilter &filter, int xiOpcode, const xcb_generic_event_t &event)
{
    if ((event.response_type & 0x7f) != XCB_GE_GENERIC)
        return false;
    // The first 32 bytes of a generic event are as the server sent them.
    const auto &raw = reinterpret_cast<const xXIRawEvent &>(event);
    if (raw.extension != xiOpcode)
        return false;
    // Motion, by far the most frequent event, is judged by its type alone.
    if (raw.evtype == XI_RawMotion)
        return filter.accept(XI_RawMotion, 0);
    return filter.accept(raw.evtype, static_cast<int>(raw.detail));
}

bool X11InputTap::readPendingEvents()
{
    bool active = false;
    xcb_connection_t *connection = XGetXCBConnection(m_display);
    // Each poll returns what XCB holds, or else reads the socket once: the loop ends with the
    // first read that finds nothing.
    while (xcb_generic_event_t *event = xcb_poll_for_event(connection)) {
        active |= handleEvent(*event);
        std::free(event);
    }
    return active;
}

bool X11InputTap::handleEvent(const xcb_generic_event_t &event)
{
    if (m_idleAlarm && m_idleAlarm->rang(event)) {
        m_alarmRang = true;
        return false;
    }
    const int type = event.response_type & 0x7f;
    if (type == XCB_MAPPING_NOTIFY || (m_xkbEventBase >= 0 && type == m_xkbEventBase)) {
        m_keymapChanged = true;
        return false;
    }
    if (type != XCB_GE_GENERIC || reinterpret_cast<const xXIRawEvent &>(event).extension != m_xiOpcode)
        return false;
    ++m_rawEventsRead;
    // One change of the keymap brings several notifications; the modifiers are looked up again
    // once, before the next key press is judged.
    if (reinterpret_cast<const xXIRawEvent &>(event).evtype == XI_RawKeyPress && m_keymapChanged) {
        m_keymapChanged = false;
        loadModifierKeys();
    }
    return countsAsActivity(m_filter, m_xiOpcode, event);
}

// A key is a modifier when the modifier map binds it (Shift, Lock, Control, Mod1 to Mod5) or
// when its first keysym is one (Super, Hyper, Mode_switch, ISO level shifts, ...), so that a
// modifier left out of the map still does not count as typing.
void X11InputTap::loadModifierKeys()
{
    std::array<bool, RawInputFilter::kKeycodeCount> isModifier{};
    if (XModifierKeymap *map = XGetModifierMapping(m_display)) {
        for (int i = 0; i < 8 * map->max_keypermod; ++i) {
            if (const KeyCode code = map->modifiermap[i])
                isModifier[code] = true;
        }
        XFreeModifiermap(map);
    }
    int minCode = 0;
    int maxCode = 0;
    XDisplayKeycodes(m_display, &minCode, &maxCode);
    int perCode = 0;
    if (KeySym *symbols =
            XGetKeyboardMapping(m_display, static_cast<KeyCode>(minCode), maxCode - minCode + 1, &perCode)) {
        for (int code = minCode; perCode > 0 && code <= maxCode && code < RawInputFilter::kKeycodeCount; ++code) {
            const KeySym first = symbols[(code - minCode) * perCode];
            if (IsModifierKey(first))
                isModifier[static_cast<unsigned>(code)] = true;
        }
        XFree(symbols);
    }
    m_filter.setModifierKeys(isModifier);
}
