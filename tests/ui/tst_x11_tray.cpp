// The real program under a private X server with a window manager that hosts a system tray:
// the icon docks in the tray, a left click opens the panel, and the panel's "Stats" brings the
// main window up on the Stats section.
#include "support/PelmixProcess.h"
#include "support/TestFiles.h"
#include "support/XvfbServer.h"
#include "ui/MenuButton.h"

#include <QDir>
#include <QProcess>
#include <QTest>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <csignal>
#include <functional>

namespace {
constexpr int kWaitMs = 15000;

// Windows come and go while the tree is walked; a query about one that just went is no failure.
int ignoreXErrors(Display *, XErrorEvent *) { return 0; }

struct Found {
    Window window = 0;
    QRect geometry; // in root coordinates
    bool inTray = false;
};
} // namespace

class X11TrayTest : public QObject {
    Q_OBJECT

    XvfbServer m_xserver;
    QProcess m_windowManager;
    PelmixProcess m_pelmix;
    Display *m_display = nullptr;

    bool isPelmix(Window window) const
    {
        XClassHint hint{};
        if (!XGetClassHint(m_display, window, &hint))
            return false;
        const bool pelmix = qstricmp(hint.res_name, "pelmix") == 0;
        XFree(hint.res_name);
        XFree(hint.res_class);
        return pelmix;
    }

    QString windowName(Window window) const
    {
        XTextProperty property{};
        if (!XGetWMName(m_display, window, &property) || !property.value)
            return {};
        const QString name = QString::fromUtf8(reinterpret_cast<const char *>(property.value), int(property.nitems));
        XFree(property.value);
        return name;
    }

    // Every viewable window of the program, depth first from the root, and whether it is
    // embedded in the tray.
    QList<Found> pelmixWindows() const
    {
        const Window tray = XGetSelectionOwner(m_display, XInternAtom(m_display, "_NET_SYSTEM_TRAY_S0", False));
        QList<Found> result;
        std::function<void(Window, bool)> visit = [&](Window window, bool inTray) {
            inTray = inTray || window == tray;
            Window root = 0, parent = 0, *children = nullptr;
            unsigned count = 0;
            if (!XQueryTree(m_display, window, &root, &parent, &children, &count))
                return;
            for (unsigned i = 0; i < count; ++i) {
                XWindowAttributes attributes{};
                if (XGetWindowAttributes(m_display, children[i], &attributes) && attributes.map_state == IsViewable &&
                    isPelmix(children[i])) {
                    int x = 0, y = 0;
                    Window child = 0;
                    XTranslateCoordinates(m_display, children[i], root, 0, 0, &x, &y, &child);
                    result.append({children[i], QRect(x, y, attributes.width, attributes.height), inTray});
                }
                visit(children[i], inTray);
            }
            if (children)
                XFree(children);
        };
        visit(DefaultRootWindow(m_display), false);
        return result;
    }

    Found waitFor(const std::function<bool(const Found &)> &matches, const char *what)
    {
        QDeadlineTimer deadline(kWaitMs);
        while (!deadline.hasExpired()) {
            XSync(m_display, False);
            for (const Found &candidate : pelmixWindows()) {
                if (matches(candidate))
                    return candidate;
            }
            QTest::qWait(50);
        }
        qWarning("no %s; program output:\n%s", what, qPrintable(m_pelmix.lines().join(QLatin1Char('\n'))));
        return {};
    }

    Found mainWindowTitled(const QString &title)
    {
        return waitFor([&](const Found &w) { return windowName(w.window) == title && w.geometry.width() >= 700; },
                       "main window");
    }

    void click(const QPoint &point)
    {
        XTestFakeMotionEvent(m_display, -1, point.x(), point.y(), CurrentTime);
        XTestFakeButtonEvent(m_display, 1, True, CurrentTime);
        XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
        XFlush(m_display);
    }

    // Where the panel's "Stats" entry sits: the entries are laid out from the panel's bottom
    // edge up (4 points of margin, "Quit Pelmix", "About Pelmix", a divider with 4 points around
    // it, "Settings"), and this process measures an entry with the program's own font.
    static QPoint statsEntry(const QRect &panel)
    {
        const int entry = MenuButton(QStringLiteral("chart.bar.fill"), QStringLiteral("Stats"), {}).sizeHint().height();
        const int fromBottom = 4 + entry + entry + 9 + entry + entry / 2;
        return {panel.center().x(), panel.bottom() + 1 - fromBottom};
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_xserver.start(), qPrintable(m_xserver.errorString()));
        m_display = XOpenDisplay(m_xserver.displayName().constData());
        QVERIFY(m_display);
        XSetErrorHandler(ignoreXErrors);

        m_pelmix.setDisplay(QString::fromLatin1(m_xserver.displayName()));
        m_pelmix.setPreference("hasCompletedOnboarding", true);
        const QString jwmrc = QDir(m_pelmix.home()).filePath("jwmrc");
        writeFile(jwmrc, "<?xml version=\"1.0\"?><JWM><Tray x=\"0\" y=\"0\" height=\"28\"><Spacer width=\"300\"/>"
                         "<Dock/></Tray></JWM>\n");
        m_windowManager.setProcessEnvironment(m_pelmix.environment());
        m_windowManager.setStandardOutputFile(QProcess::nullDevice());
        m_windowManager.setStandardErrorFile(QProcess::nullDevice());
        m_windowManager.start("jwm", {"-f", jwmrc});
        QVERIFY(m_windowManager.waitForStarted());
        const Atom trayAtom = XInternAtom(m_display, "_NET_SYSTEM_TRAY_S0", False);
        QTRY_VERIFY_WITH_TIMEOUT(XGetSelectionOwner(m_display, trayAtom) != 0, kWaitMs);
        QVERIFY(m_pelmix.start());
    }

    void cleanupTestCase()
    {
        QVERIFY(m_pelmix.stopWith(SIGTERM));
        m_windowManager.terminate();
        m_windowManager.waitForFinished(5000);
        if (m_display)
            XCloseDisplay(m_display);
    }

    void iconDocksInTheTrayAndItsPanelOpensStats()
    {
        const Found icon = waitFor([](const Found &w) { return w.inTray; }, "tray icon");
        QVERIFY2(icon.window, "the icon is not embedded in the tray");
        QVERIFY(icon.geometry.width() >= 16 && icon.geometry.width() <= 64);
        QVERIFY(mainWindowTitled(QStringLiteral("Focus")).window); // the window opened at launch
        click(icon.geometry.center());
        const Found panel = waitFor([](const Found &w) { return w.geometry.width() == 220; }, "panel");
        QVERIFY2(panel.window, "a left click on the icon opened no panel");
        click(statsEntry(panel.geometry));
        QVERIFY(mainWindowTitled(QStringLiteral("Stats")).window);
    }
};

QTEST_MAIN(X11TrayTest)
#include "tst_x11_tray.moc"
