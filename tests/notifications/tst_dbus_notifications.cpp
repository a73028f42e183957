#include "notifications/NotificationManager.h"
#include "platform/linux/notifications/FreedesktopNotifications.h"
#include "support/FakePlatform.h"
#include "support/PrivateSessionBus.h"
#include "support/TestNotificationServer.h"

#include <QTest>

namespace {
// The notification manager over the freedesktop service, on a bus of its own.
struct Fixture {
    PrivateSessionBus bus;
    FreedesktopNotifications centre{bus.connect(QStringLiteral("client"))};
    FakePlatform fake{&centre};
    NotificationManager manager{fake.platform()};
    int snoozes = 0;

    Fixture()
    {
        manager.onSnooze = [this] { ++snoozes; };
    }
    bool waitForLine(const QString &line)
    {
        return QTest::qWaitFor([&] { return fake.log.lines.contains(line); });
    }
};
} // namespace

// The notification manager and the freedesktop service against a notification server of
// the test's own on a private bus.
class DbusNotificationsTest : public QObject {
    Q_OBJECT

private slots:
    void aServerShowsTheReminderItsSnoozeButtonActsAndPermissionIsGranted()
    {
        Fixture f;
        QVERIFY2(f.bus.isRunning(), qPrintable(f.bus.errorString()));
        TestNotificationServer server;
        QVERIFY(server.registerOn(f.bus.connect(QStringLiteral("server"))));

        f.manager.sendNotification(QStringLiteral("Time for a break!"),
                                   QStringLiteral("Step away from the computer for 5 min"), true);
        QTRY_COMPARE(server.received.size(), 1);

        const TestNotificationServer::Received shown = server.received.first();
        QCOMPARE(shown.appName, QStringLiteral("Pelmix"));
        QCOMPARE(shown.summary, QStringLiteral("Time for a break!"));
        QCOMPARE(shown.body, QStringLiteral("Step away from the computer for 5 min"));
        QCOMPARE(shown.actions, QStringList({"SNOOZE_30_MIN", "I'm on a meet (30 min)"}));
        QCOMPARE(shown.expireTimeout, -1);
        QCOMPARE(shown.hints.value("desktop-entry").toString(), QStringLiteral("org.pelmix.Pelmix"));
        QCOMPARE(shown.hints.value("urgency").value<uchar>(), uchar(1));
        QCOMPARE(shown.hints.value("sound-name").toString(), QStringLiteral("message-new-instant"));
        QVERIFY(!shown.hints.contains("suppress-sound"));
        // Wait for the reply too, so the service knows the id before the server acts on it.
        QTRY_COMPARE(f.centre.trackedNotificationCount(), 1);
        QVERIFY(f.fake.log.lines.isEmpty());

        server.invokeAction(shown.id, QStringLiteral("SNOOZE_30_MIN"));
        QVERIFY(f.waitForLine(QStringLiteral("NotificationManager: Snooze action triggered")));
        QCOMPARE(f.snoozes, 0);
        f.fake.mainLoop.runPending();
        QCOMPARE(f.snoozes, 1);
        // The server leaves it on screen; the program takes it away, and the choice is spent.
        QTRY_COMPARE(server.closeRequests, QList<uint>{shown.id});
        QTRY_COMPARE(f.centre.trackedNotificationCount(), 0);

        f.manager.requestNotificationPermission();
        QVERIFY(f.waitForLine(QStringLiteral("Notification permission granted: true")));
        QCOMPARE(server.serverInformationRequests, 1);
    }

    void withoutServerSendsFailAndNothingCrashes()
    {
        Fixture f;
        QVERIFY2(f.bus.isRunning(), qPrintable(f.bus.errorString()));
        f.manager.sendNotification(QStringLiteral("Time for a break!"), QStringLiteral("Body"), true);
        f.manager.requestNotificationPermission();
        QTRY_COMPARE(f.fake.log.lines.size(), 3);

        QVERIFY2(f.fake.log.lines[0].startsWith("Failed to send notification: "), qPrintable(f.fake.log.lines[0]));
        QVERIFY(f.fake.log.lines[1].startsWith(QStringLiteral("Notification permission error: ")));
        QCOMPARE(f.fake.log.lines[2], QStringLiteral("Notification permission granted: false"));
        QCOMPARE(f.centre.trackedNotificationCount(), 0);
    }
};

QTEST_GUILESS_MAIN(DbusNotificationsTest)
#include "tst_dbus_notifications.moc"
