// The real X11 input tap against a private Xvfb, driven through XTest: which input counts
// as the user's activity and which does not.
#include "activity/ActivityMonitor.h"
#include "platform/linux/input/x11/X11InputMonitoring.h"
#include "platform/linux/input/x11/X11InputTap.h"
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
enum class Input { TypeKey = -1, MovePointer = 0, ClickLeft = 1, WheelRight = 7 };

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
    void send(Input input)
    {
        if (input == Input::TypeKey) {
            key(XK_a, true);
            key(XK_a, false);
        } else if (input == Input::MovePointer) {
            XTestFakeRelativeMotionEvent(m_injector, 7, 3, CurrentTime);
        } else {
            XTestFakeButtonEvent(m_injector, static_cast<unsigned>(input), True, CurrentTime);
            XTestFakeButtonEvent(m_injector, static_cast<unsigned>(input), False, CurrentTime);
        }
        XFlush(m_injector);
    }

    XvfbServer m_server;
    Display *m_injector = nullptr;

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
    }

    // The modifiers come from the server's keymap; a modifier press alone is read but not reported.
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
        int activity = 0;
        FakeMainLoop loop;
        const auto tap = X11InputTap::create(m_server.displayName(), loop, [&] { ++activity; });
        QVERIFY(tap);
        key(symbol, true);
        key(symbol, false);
        QVERIFY2(QTest::qWaitFor([&] { return tap->rawEventsRead() >= 1; }, kWaitMs), "the tap read no event");
        QCOMPARE(activity, 0);
    }

    // While input goes on it is reported once a quiet period, on the loop's timers; the server's
    // idle alarm ends that, and the next input is seen at once.
    void followsInputUntilItPauses()
    {
        constexpr int kQuietMs = 300;
        FakeMainLoop loop;
        int activity = 0;
        const auto tap = X11InputTap::create(m_server.displayName(), loop, [&] { ++activity; }, kQuietMs);
        QVERIFY(tap);
        send(Input::MovePointer);
        QVERIFY2(QTest::qWaitFor([&] { return activity == 1; }, kWaitMs), "the tap saw no input");
        QVERIFY(tap->isFollowing());
        loop.advance(kQuietMs / 1000.0);
        QCOMPARE(activity, 2);
        QVERIFY2(QTest::qWaitFor([&] { return !tap->isFollowing(); }, kWaitMs), "the idle alarm did not ring");
        loop.advance(kQuietMs / 1000.0);
        QCOMPARE(activity, 2);
        send(Input::ClickLeft);
        QVERIFY2(QTest::qWaitFor([&] { return activity == 3; }, kWaitMs), "raw input was not selected again");
    }

    // The whole way: the real tap brings the user back after going away.
    void inputBringsTheUserBack_data()
    {
        QTest::addColumn<Input>("input");
        QTest::newRow("key press") << Input::TypeKey;
        QTest::newRow("relative motion") << Input::MovePointer;
        QTest::newRow("left click") << Input::ClickLeft;
        QTest::newRow("wheel right") << Input::WheelRight;
    }
    void inputBringsTheUserBack()
    {
        QFETCH(Input, input);
        FakePlatform fake;
        X11InputMonitoring x11{fake.mainLoop};
        // The fake services, but the real input monitoring.
        const Platform &f = fake.platform();
        Platform platform{f.mainLoop, f.log,           f.preferences,   f.locations, x11,          f.loginItem,
                          f.desktop,  f.notifications, f.sessionEvents, f.trayHost,  f.holdSources};
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
