// The real X11 input tap against a private Xvfb, driven through XTest: which input counts
// as the user's activity and which does not.
#include "activity/ActivityMonitor.h"
#include "platform/linux/X11InputMonitoring.h"
#include "platform/linux/X11InputTap.h"
#include "settings/UserSettings.h"
#include "support/FakePlatform.h"
#include "support/XvfbServer.h"

#include <QTest>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

constexpr int kWaitMs = 5000;

// The pointer buttons by their X11 numbers.
enum class Input {
    TypeKey = -1,
    MovePointer = 0,
    ClickLeft = 1,
    ClickRight = 3,
    WheelUp = 4,
    WheelRight = 7
};

} // namespace

class X11InputTapTest : public QObject {
    Q_OBJECT

private:
    void key(KeySym symbol, bool press)
    {
        const KeyCode code = XKeysymToKeycode(m_injector, symbol);
        QVERIFY2(code != 0, "the keysym has no key code");
        XTestFakeKeyEvent(m_injector, code, press, CurrentTime);
        XFlush(m_injector);
    }
    void click(unsigned button, bool press = true, bool release = true)
    {
        if (press)
            XTestFakeButtonEvent(m_injector, button, True, CurrentTime);
        if (release)
            XTestFakeButtonEvent(m_injector, button, False, CurrentTime);
        XFlush(m_injector);
    }
    void move()
    {
        // Back and forth, so the pointer never sticks at an edge of the screen.
        m_moveSign = -m_moveSign;
        XTestFakeRelativeMotionEvent(m_injector, 7 * m_moveSign, 3 * m_moveSign, CurrentTime);
        XFlush(m_injector);
    }
    // Sends one input; answers how many raw events the tap is to read for it.
    int send(Input input)
    {
        if (input == Input::TypeKey) {
            key(XK_a, true);
            key(XK_a, false);
            return 1; // key releases are not selected
        }
        if (input == Input::MovePointer) {
            move();
            return 1;
        }
        click(static_cast<unsigned>(input));
        return 2;
    }
    // Waits until the tap has read `count` more raw events than at `base`, then answers
    // how many batches it reported as activity meanwhile.
    bool waitForRawEvents(std::uint64_t base, int count)
    {
        return QTest::qWaitFor([&] { return m_tap->rawEventsRead() >= base + static_cast<std::uint64_t>(count); },
                               kWaitMs);
    }
    void expectNoActivityFrom(std::uint64_t base, int rawEvents)
    {
        QVERIFY2(waitForRawEvents(base, rawEvents), "the tap did not read the events");
        QCOMPARE(m_activity, 0);
        QCOMPARE(m_tap->rawEventsRead(), base + static_cast<std::uint64_t>(rawEvents));
    }
    void expectActivityFrom(std::uint64_t base, int rawEvents)
    {
        QVERIFY2(waitForRawEvents(base, rawEvents), "the tap did not read the events");
        QVERIFY(m_activity > 0);
    }

    XvfbServer m_server;
    Display *m_injector = nullptr;
    std::unique_ptr<X11InputTap> m_tap;
    int m_activity = 0;
    int m_moveSign = 1;

private slots:
    void initTestCase()
    {
        qunsetenv("WAYLAND_DISPLAY");
        qunsetenv("XDG_SESSION_TYPE");
        QVERIFY2(m_server.start(), qPrintable(m_server.errorString()));
        qputenv("DISPLAY", m_server.displayName());
        m_injector = XOpenDisplay(m_server.displayName().constData());
        QVERIFY(m_injector);
        int event = 0, error = 0, major = 0, minor = 0;
        QVERIFY2(XTestQueryExtension(m_injector, &event, &error, &major, &minor), "the server lacks XTest");
    }

    void cleanupTestCase()
    {
        if (m_injector)
            XCloseDisplay(m_injector);
        m_server.stop();
    }

    void init()
    {
        m_activity = 0;
        m_tap = X11InputTap::create(m_server.displayName(), [this] { ++m_activity; });
        QVERIFY(m_tap);
    }

    void cleanup() { m_tap.reset(); }

    void trustedOnlyOnX11()
    {
        X11InputMonitoring monitoring;
        QVERIFY(monitoring.isTrusted());
        qputenv("WAYLAND_DISPLAY", "wayland-0");
        const bool trustedOnWayland = monitoring.isTrusted();
        qunsetenv("WAYLAND_DISPLAY");
        QVERIFY(!trustedOnWayland);
    }

    void modifierAloneDoesNotCount_data()
    {
        QTest::addColumn<KeySym>("symbol");
        QTest::newRow("Shift") << KeySym(XK_Shift_L);
        QTest::newRow("Caps Lock") << KeySym(XK_Caps_Lock);
        QTest::newRow("AltGr") << KeySym(XK_ISO_Level3_Shift);
    }
    void modifierAloneDoesNotCount()
    {
        QFETCH(KeySym, symbol);
        if (XKeysymToKeycode(m_injector, symbol) == 0)
            QSKIP("the server's keymap lacks this key");
        const auto base = m_tap->rawEventsRead();
        key(symbol, true);
        key(symbol, false);
        expectNoActivityFrom(base, 1);
        // A key typed with the modifier held counts.
        const auto typed = m_tap->rawEventsRead();
        key(symbol, true);
        key(XK_b, true);
        key(XK_b, false);
        key(symbol, false);
        expectActivityFrom(typed, 2);
    }

    void dragDoesNotCount()
    {
        auto base = m_tap->rawEventsRead();
        click(1, true, false);
        expectActivityFrom(base, 1); // the press itself counts
        m_activity = 0;
        base = m_tap->rawEventsRead();
        move();
        move();
        move();
        click(1, false, true);
        expectNoActivityFrom(base, 4);
        // Once the button is up, motion counts again.
        base = m_tap->rawEventsRead();
        expectActivityFrom(base, send(Input::MovePointer));
    }

    // The whole way: the real tap brings the user back after going away.
    void inputBringsTheUserBack_data()
    {
        QTest::addColumn<Input>("input");
        QTest::newRow("key press") << Input::TypeKey;
        QTest::newRow("relative motion") << Input::MovePointer;
        QTest::newRow("left click") << Input::ClickLeft;
        QTest::newRow("right click") << Input::ClickRight;
        QTest::newRow("wheel up") << Input::WheelUp;
        QTest::newRow("wheel right") << Input::WheelRight;
    }
    void inputBringsTheUserBack()
    {
        QFETCH(Input, input);
        FakePlatform fake;
        X11InputMonitoring x11;
        // The fake services, but the real input monitoring.
        const Platform &fakes = fake.platform();
        Platform platform{.mainLoop = fakes.mainLoop,
                          .log = fakes.log,
                          .preferences = fakes.preferences,
                          .locations = fakes.locations,
                          .input = x11,
                          .loginItem = fakes.loginItem,
                          .desktop = fakes.desktop,
                          .notifications = fakes.notifications,
                          .sessionEvents = fakes.sessionEvents};
        UserSettings settings(platform);
        ActivityMonitor monitor(platform, settings);
        monitor.requestPermission();
        QVERIFY(monitor.permissionGranted());
        QVERIFY(monitor.hasEventTap());
        fake.mainLoop.advance(31);
        QVERIFY(!monitor.isPresent());

        send(input);
        QVERIFY2(QTest::qWaitFor([&] { return fake.mainLoop.pendingWorkCount() > 0; }, kWaitMs),
                 "the input did not reach the monitor");
        fake.mainLoop.runPending();
        QVERIFY(monitor.isPresent());
        QCOMPARE(monitor.lastActivityTime(), fake.mainLoop.now());
    }
};

QTEST_GUILESS_MAIN(X11InputTapTest)
#include "tst_x11_inputtap.moc"
