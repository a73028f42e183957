#include "X11InputTap.h"

#include <QSocketNotifier>
#include <QTimer>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XInput2.h>

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

Display *openDisplay(const QByteArray &displayName)
{
    return XOpenDisplay(displayName.isEmpty() ? nullptr : displayName.constData());
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

std::unique_ptr<X11InputTap> X11InputTap::create(const QByteArray &displayName, std::function<void()> onActivity)
{
    Display *display = openDisplay(displayName);
    if (!display)
        return nullptr;
    int opcode = 0;
    if (!negotiateXInput2(display, &opcode)) {
        XCloseDisplay(display);
        return nullptr;
    }

    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawButtonPress);
    XISetMask(bits, XI_RawButtonRelease);
    XISetMask(bits, XI_RawMotion);
    // Master devices only: selecting all devices would deliver each event twice, once from
    // the physical (slave) device and once from its master.
    XIEventMask mask{XIAllMasterDevices, static_cast<int>(sizeof bits), bits};
    bool selected = false;
    {
        XErrorTrap trap(display);
        XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
        selected = trap.succeeded();
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
    return std::unique_ptr<X11InputTap>(new X11InputTap(display, opcode, xkbEventBase, std::move(onActivity)));
}

X11InputTap::X11InputTap(Display *display, int xiOpcode, int xkbEventBase, std::function<void()> onActivity)
    : m_display(display),
      m_xiOpcode(xiOpcode),
      m_xkbEventBase(xkbEventBase),
      m_onActivity(std::move(onActivity)),
      m_notifier(std::make_unique<QSocketNotifier>(ConnectionNumber(display), QSocketNotifier::Read)),
      m_quietPeriod(std::make_unique<QTimer>())
{
    loadModifierKeys();
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(), [this] { readPendingEvents(); });
    m_quietPeriod->setSingleShot(true);
    m_quietPeriod->setInterval(kQuietPeriodMs);
    // Whatever arrived meanwhile has left the socket readable, so the notifier fires at once.
    QObject::connect(m_quietPeriod.get(), &QTimer::timeout, m_notifier.get(), [this] { m_notifier->setEnabled(true); });
}

X11InputTap::~X11InputTap()
{
    m_quietPeriod.reset();
    m_notifier.reset();
    XCloseDisplay(m_display);
}

bool X11InputTap::countsAsActivity(RawInputFilter &filter, int xiOpcode, const XEvent &event)
{
    if (event.type != GenericEvent || event.xcookie.extension != xiOpcode)
        return false;
    const int type = event.xcookie.evtype;
    if (type == XI_RawMotion)
        return filter.accept(type, 0);
    const auto *raw = static_cast<const XIRawEvent *>(event.xcookie.data);
    return raw && filter.accept(type, raw->detail);
}

void X11InputTap::readPendingEvents()
{
    bool active = false;
    // Drain everything Xlib holds: events it has already buffered would otherwise wait for
    // the next wake-up of the socket.
    while (XPending(m_display) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        if (event.type == GenericEvent && event.xcookie.extension == m_xiOpcode) {
            ++m_rawEventsRead;
            const int type = event.xcookie.evtype;
            // Motion, by far the most frequent event, is judged by its type alone: its
            // valuators are not decoded.
            if (type == XI_RawMotion) {
                active |= m_filter.accept(XI_RawMotion, 0);
                continue;
            }
            // One change of the keymap brings several notifications; the modifiers are
            // looked up again once, before the next key press is judged.
            if (type == XI_RawKeyPress && m_keymapChanged) {
                m_keymapChanged = false;
                loadModifierKeys();
            }
            if (XGetEventData(m_display, &event.xcookie)) {
                active |= countsAsActivity(m_filter, m_xiOpcode, event);
                XFreeEventData(m_display, &event.xcookie);
            }
        } else if (event.type == MappingNotify || (m_xkbEventBase >= 0 && event.type == m_xkbEventBase)) {
            m_keymapChanged = true;
        }
    }
    if (active) {
        m_notifier->setEnabled(false);
        m_quietPeriod->start();
        m_onActivity();
    }
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
