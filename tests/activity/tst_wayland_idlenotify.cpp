// The ext-idle-notify-v1 and org_kde_kwin_idle backends against a test peer speaking the
// protocols on a private socket, and the choice of backend on a Wayland session. Reports run on virtual time.
#include "platform/linux/ExtIdleNotifyTap.h"
#include "platform/linux/KdeIdleTap.h"
#include "platform/linux/SessionInputMonitoring.h"
#include "support/FakeMainLoop.h"
#include "support/TestIdleNotifyCompositor.h"

#include <QTest>

using Offer = TestIdleNotifyCompositor::Offer;

class WaylandIdleNotifyTest : public QObject {
    Q_OBJECT

    // The compositor's events come over a real socket: wait for them, never for time.
    static constexpr int kWaitMs = 5000;

private slots:
    void initTestCase()
    {
        qputenv("XDG_SESSION_TYPE", "wayland");
        qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:"); // no Mutter to fall back on
    }

    // Which backend wins when several answer: the standard protocol first, X11 only on X11.
    void choiceFollowsTheSessionAndTheFixedOrder_data()
    {
        QTest::addColumn<bool>("wayland");
        QTest::addColumn<QList<InputMethod>>("answering");
        QTest::addColumn<InputMethod>("chosen");
        using enum InputMethod;
        QTest::newRow("X11") << false << QList{x11XInput2, extIdleNotify, mutterIdleMonitor} << x11XInput2;
        QTest::newRow("X11 without XInput2") << false << QList{extIdleNotify, mutterIdleMonitor, kdeIdle} << none;
        QTest::newRow("Wayland, all") << true << QList{kdeIdle, mutterIdleMonitor, extIdleNotify, x11XInput2}
                                      << extIdleNotify;
        QTest::newRow("Mutter before KWin") << true << QList{kdeIdle, mutterIdleMonitor} << mutterIdleMonitor;
        QTest::newRow("old KWin") << true << QList{kdeIdle} << kdeIdle;
        QTest::newRow("XWayland only") << true << QList{x11XInput2} << none;
    }
    void choiceFollowsTheSessionAndTheFixedOrder()
    {
        QFETCH(bool, wayland);
        QFETCH(QList<InputMethod>, answering);
        QFETCH(InputMethod, chosen);
        QCOMPARE(chooseInputMethod(wayland, [&](InputMethod m) { return answering.contains(m); }), chosen);
    }

    void choosesWhatTheCompositorOffers_data()
    {
        QTest::addColumn<Offer>("offer");
        QTest::addColumn<QString>("method");
        QTest::newRow("ext_idle_notifier_v1") << Offer::extIdleNotifier << QStringLiteral("ext-idle-notify-v1");
        QTest::newRow("org_kde_kwin_idle") << Offer::kdeIdle << QStringLiteral("org_kde_kwin_idle");
        QTest::newRow("a seat only") << Offer::seatOnly << QString();
    }
    void choosesWhatTheCompositorOffers()
    {
        QFETCH(Offer, offer);
        QFETCH(QString, method);
        TestIdleNotifyCompositor compositor(offer);
        qputenv("WAYLAND_DISPLAY", compositor.socketName());
        FakeMainLoop loop;
        SessionInputMonitoring monitoring(loop);
        QCOMPARE(monitoring.isTrusted(), !method.isEmpty());
        QCOMPARE(monitoring.methodName(), method);
        const auto tap = monitoring.createTap([] {});
        QCOMPARE(tap != nullptr, !method.isEmpty());
        if (method.isEmpty()) {
            QVERIFY(monitoring.missingAccessText().contains("neither ext-idle-notify-v1 nor GNOME Mutter"));
            QCOMPARE(monitoring.missingAccessTitle(), "This Wayland session tells Pelmix nothing of your activity");
            return;
        }
        QTRY_COMPARE_WITH_TIMEOUT(compositor.notificationCount(), 1, kWaitMs);
        QCOMPARE(compositor.lastTimeoutMs(), 1000u);
    }

    void reportsOnlyWhileTheUserIsActive_data()
    {
        QTest::addColumn<Offer>("offer");
        QTest::newRow("ext-idle-notify-v1") << Offer::extIdleNotifier;
        QTest::newRow("org_kde_kwin_idle") << Offer::kdeIdle;
    }
    void reportsOnlyWhileTheUserIsActive()
    {
        QFETCH(Offer, offer);
        auto compositor = std::make_unique<TestIdleNotifyCompositor>(offer);
        FakeMainLoop loop;
        int reports = 0;
        std::unique_ptr<InputTap> tap;
        std::function<bool()> isIdle;
        if (offer == Offer::kdeIdle) {
            auto kde = KdeIdleTap::create(compositor->socketName(), loop, [&] { ++reports; });
            isIdle = [kde = kde.get()] { return kde->isIdle(); };
            tap = std::move(kde);
        } else {
            auto ext = ExtIdleNotifyTap::create(compositor->socketName(), loop, [&] { ++reports; });
            isIdle = [ext = ext.get()] { return ext->isIdle(); };
            tap = std::move(ext);
        }
        QVERIFY(tap);
        QTRY_COMPARE_WITH_TIMEOUT(compositor->notificationCount(), 1, kWaitMs);

        // Active until told otherwise: about once a second.
        loop.advance(2);
        QCOMPARE(reports, 2);

        compositor->sendIdled();
        QTRY_VERIFY_WITH_TIMEOUT(isIdle(), kWaitMs);
        reports = 0;
        loop.advance(10);
        QCOMPARE(reports, 0);
        QCOMPARE(loop.activeTimerCount(), 0); // nothing to wake up for

        compositor->sendResumed();
        QTRY_COMPARE_WITH_TIMEOUT(reports, 1, kWaitMs); // at once
        loop.advance(3);
        QCOMPARE(reports, 4);

        // A compositor gone leaves nothing to report.
        compositor.reset();
        QTRY_VERIFY_WITH_TIMEOUT(isIdle(), kWaitMs);
    }
};

QTEST_GUILESS_MAIN(WaylandIdleNotifyTest)
#include "tst_wayland_idlenotify.moc"
