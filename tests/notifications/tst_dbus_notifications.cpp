#include "notifications/NotificationManager.h"
#include "platform/linux/FreedesktopNotifications.h"
#include "support/FakePlatform.h"
#include "support/PrivateSessionBus.h"
#include "support/TestNotificationServer.h"

#include <QDBusError>
#include <QTest>

#include <memory>

// The notification manager and the freedesktop service against a notification server of
// the test's own on a private bus.
class DbusNotificationsTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_bus = std::make_unique<PrivateSessionBus>();
        QVERIFY2(m_bus->isRunning(), qPrintable(m_bus->errorString()));
        const QDBusConnection client = m_bus->connect(QStringLiteral("client"));
        QVERIFY2(client.isConnected(), qPrintable(client.lastError().message()));
        m_centre = std::make_unique<FreedesktopNotifications>(client);
        m_fake = std::make_unique<FakePlatform>(m_centre.get());
        m_manager = std::make_unique<NotificationManager>(m_fake->platform());
        m_snoozes = 0;
        m_manager->onSnooze = [this] { ++m_snoozes; };
    }

    void cleanup()
    {
        m_manager.reset();
        m_fake.reset();
        m_centre.reset();
        m_bus.reset();
    }

    void aServerShowsTheReminderItsSnoozeButtonActsAndPermissionIsGranted()
    {
        TestNotificationServer server;
        QVERIFY(registerServer(server));

        m_manager->sendNotification(QStringLiteral("Time for a break!"),
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
        QTRY_COMPARE(m_centre->trackedNotificationCount(), 1);
        QVERIFY(m_fake->log.lines.isEmpty());

        server.invokeAction(shown.id, QStringLiteral("SNOOZE_30_MIN"));
        QVERIFY(waitForLine(QStringLiteral("NotificationManager: Snooze action triggered")));
        QCOMPARE(m_snoozes, 0);
        m_fake->mainLoop.runPending();
        QCOMPARE(m_snoozes, 1);
        // The server leaves it on screen; the program takes it away, and the choice is spent.
        QTRY_COMPARE(server.closeRequests, QList<uint>{shown.id});
        QTRY_COMPARE(m_centre->trackedNotificationCount(), 0);

        m_manager->requestNotificationPermission();
        QVERIFY(waitForLine(QStringLiteral("Notification permission granted: true")));
        QCOMPARE(server.serverInformationRequests, 1);
    }

    void withoutServerSendsFailAndNothingCrashes()
    {
        m_manager->sendNotification(QStringLiteral("Time for a break!"), QStringLiteral("Body"), true);
        m_manager->requestNotificationPermission();
        QTRY_COMPARE(m_fake->log.lines.size(), 3);

        QVERIFY2(m_fake->log.lines[0].startsWith("Failed to send notification: "), qPrintable(m_fake->log.lines[0]));
        QVERIFY(m_fake->log.lines[1].startsWith(QStringLiteral("Notification permission error: ")));
        QCOMPARE(m_fake->log.lines[2], QStringLiteral("Notification permission granted: false"));
        QCOMPARE(m_centre->trackedNotificationCount(), 0);
    }

private:
    bool registerServer(TestNotificationServer &server)
    {
        return server.registerOn(m_bus->connect(QStringLiteral("server")));
    }

    bool waitForLine(const QString &line)
    {
        return QTest::qWaitFor([&] { return m_fake->log.lines.contains(line); });
    }

    std::unique_ptr<PrivateSessionBus> m_bus;
    std::unique_ptr<FreedesktopNotifications> m_centre;
    std::unique_ptr<FakePlatform> m_fake;
    std::unique_ptr<NotificationManager> m_manager;
    int m_snoozes = 0;
};

QTEST_GUILESS_MAIN(DbusNotificationsTest)
#include "tst_dbus_notifications.moc"
