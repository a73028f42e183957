// The real program on a desktop with no tray at all (stock GNOME): no XEmbed tray manager and
// no StatusNotifierWatcher on the session bus. The main window is then its only home: shown at
// launch, closing it leaves the program running, and launching again brings it back.
#include "support/PelmixProcess.h"
#include "support/PrivateSessionBus.h"
#include "support/XvfbServer.h"

#include <QTest>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <csignal>

namespace {

constexpr int kWaitMs = 15000;

int ignoreXErrors(Display *, XErrorEvent *) { return 0; }

// The program's mapped main window; without a window manager it is a child of the root.
Window mainWindow(Display *display)
{
    XSync(display, False);
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return 0;
    for (unsigned i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes{};
        XClassHint hint{};
        if (!XGetWindowAttributes(display, children[i], &attributes) || attributes.map_state != IsViewable ||
            attributes.width < 500 || !XGetClassHint(display, children[i], &hint))
            continue;
        if (qstrcmp(hint.res_name, "pelmix") == 0)
            found = children[i];
        XFree(hint.res_name);
        XFree(hint.res_class);
    }
    if (children)
        XFree(children);
    return found;
}

void askToClose(Display *display, Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

} // namespace

class NoTrayTest : public QObject {
    Q_OBJECT

private slots:
    void mainWindowIsTheHomeAndASecondLaunchReopensIt()
    {
        XvfbServer xserver;
        QVERIFY2(xserver.start(), qPrintable(xserver.errorString()));
        PrivateSessionBus bus;
        QVERIFY2(bus.isRunning(), qPrintable(bus.errorString()));
        Display *display = XOpenDisplay(xserver.displayName().constData());
        QVERIFY(display);
        XSetErrorHandler(ignoreXErrors);

        PelmixProcess pelmix;
        pelmix.setDisplay(QString::fromLatin1(xserver.displayName()));
        pelmix.setSessionBus(bus.address());
        pelmix.setPreference("hasCompletedOnboarding", true);
        QVERIFY(pelmix.start());
        QTRY_VERIFY_WITH_TIMEOUT(mainWindow(display) != 0, kWaitMs);

        askToClose(display, mainWindow(display));
        QTRY_VERIFY_WITH_TIMEOUT(mainWindow(display) == 0, kWaitMs);
        // A second launch hands over and ends only while the first still runs.
        auto second = pelmix.startInstance();
        QVERIFY(second->waitForFinished(10000));
        QCOMPARE(second->exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(mainWindow(display) != 0, kWaitMs);

        QVERIFY(pelmix.stopWith(SIGTERM));
        XCloseDisplay(display);
    }
};

QTEST_GUILESS_MAIN(NoTrayTest)
#include "tst_e2e_notray.moc"
