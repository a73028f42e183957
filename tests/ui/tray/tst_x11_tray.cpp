// The real program under a private X server with a window manager that hosts a system tray:
// the icon docks in the tray, a left click opens the panel, and the panel's "Stats" brings the
// main window up on the Stats section.
#include "support/PelmixProcess.h"
#include "support/TestFiles.h"
#include "support/X11Windows.h"
#include "support/XvfbServer.h"
#include "ui/tray/panel/MenuButton.h"

#include <QDir>
#include <QProcess>
#include <QTest>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <csignal>
#include <functional>

namespace {
constexpr int kWaitMs = 15000;

} // namespace

class X11TrayTest : public QObject {
    Q_OBJECT

    XvfbServer m_xserver;
    QProcess m_windowManager;
    PelmixProcess m_pelmix;
    Display *m_display = nullptr;

    X11Window waitFor(const std::function<bool(const X11Window &)> &matches, const char *what)
    {
        QDeadlineTimer deadline(kWaitMs);
        while (!deadline.hasExpired()) {
            for (const X11Window &candidate : pelmixWindows(m_display)) {
                if (matches(candidate))
                    return candidate;
            }
            QTest::qWait(50);
        }
        qWarning("no %s; program output:\n%s", what, qPrintable(m_pelmix.lines().join(QLatin1Char('\n'))));
        return {};
    }

    X11Window mainWindowTitled(const QString &title)
    {
        return waitFor([&](const X11Window &w) { return w.name == title && w.geometry.width() >= 700; }, "main window");
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
        m_display = openInspectingDisplay(m_xserver.displayName());
        QVERIFY(m_display);

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
        const X11Window icon = waitFor([](const X11Window &w) { return w.inTray; }, "tray icon");
        QVERIFY2(icon.id, "the icon is not embedded in the tray");
        QVERIFY(icon.geometry.width() >= 16 && icon.geometry.width() <= 64);
        QVERIFY(mainWindowTitled(QString::fromUtf8("Focus \u2014 Pelmix")).id); // the window opened at launch
        click(icon.geometry.center());
        const X11Window panel = waitFor([](const X11Window &w) { return w.geometry.width() == 220; }, "panel");
        QVERIFY2(panel.id, "a left click on the icon opened no panel");
        click(statsEntry(panel.geometry));
        QVERIFY(mainWindowTitled(QString::fromUtf8("Stats \u2014 Pelmix")).id);
    }
};

QTEST_MAIN(X11TrayTest)
#include "tst_x11_tray.moc"
