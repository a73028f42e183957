#include "notifications/NotificationManager.h"
#include "support/FakePlatform.h"

#include <QTest>

#include <memory>

class NotificationManagerTest : public QObject {
    Q_OBJECT

private slots:
    void creationRegistersTheBreakReminderCategory()
    {
        FakePlatform fake;
        NotificationManager manager(fake.platform());

        QCOMPARE(fake.notifications.categoryRegistrations, 1);
        QCOMPARE(fake.notifications.categories.size(), 1);
        const NotificationCategory &category = fake.notifications.categories.first();
        QCOMPARE(category.identifier, QStringLiteral("BREAK_REMINDER"));
        QCOMPARE(category.actions.size(), 1);
        QCOMPARE(category.actions.first().identifier, QStringLiteral("SNOOZE_30_MIN"));
        QCOMPARE(category.actions.first().title, QStringLiteral("I'm on a meet (30 min)"));
        QVERIFY(fake.notifications.hasResponseHandler());
        QCOMPARE(fake.notifications.authorizationRequests, 0);
    }

    void breakRemindersCarryTheCategoryAndSound()
    {
        FakePlatform fake;
        NotificationManager manager(fake.platform());

        manager.sendNotification(QStringLiteral("Time for a break!"),
                                 QStringLiteral("Step away from the computer for 5 min"), true);
        manager.sendNotification(QStringLiteral("Step away!"), QStringLiteral("Break time! Go stretch! 🚶"), true);
        manager.sendNotification(QStringLiteral("Plain"), QStringLiteral("No button"), false);
        fake.mainLoop.runPending();

        const QList<NotificationRequest> &requests = fake.notifications.requests;
        QCOMPARE(requests.size(), 3);
        QCOMPARE(requests[0].title, QStringLiteral("Time for a break!"));
        QCOMPARE(requests[0].body, QStringLiteral("Step away from the computer for 5 min"));
        QCOMPARE(requests[1].body, QStringLiteral("Break time! Go stretch! \U0001F6B6"));
        for (const NotificationRequest &request : requests) {
            QVERIFY(request.playsSound);
            QCOMPARE(request.urgency, NotificationUrgency::normal);
            QVERIFY(!request.identifier.isNull());
        }
        QCOMPARE(requests[0].categoryIdentifier, QStringLiteral("BREAK_REMINDER"));
        QCOMPARE(requests[1].categoryIdentifier, QStringLiteral("BREAK_REMINDER"));
        QVERIFY(requests[2].categoryIdentifier.isEmpty());
        // Reminders sent together each get their own identifier, so they pile up rather than replace.
        QVERIFY(requests[0].identifier != requests[1].identifier);
        QVERIFY(requests[1].identifier != requests[2].identifier);
        QVERIFY(fake.log.lines.isEmpty());
    }

    void failedSendsAreLoggedEachTime()
    {
        FakePlatform fake;
        NotificationManager manager(fake.platform());
        fake.notifications.addFailure = QStringLiteral("The name org.freedesktop.Notifications was not provided");

        manager.sendNotification(QStringLiteral("Step away!"), QStringLiteral("Break time! Go stretch! 🚶"), true);
        QVERIFY(fake.log.lines.isEmpty()); // the answer comes later, from the main loop
        manager.sendNotification(QStringLiteral("Step away!"), QStringLiteral("Break time! Go stretch! 🚶"), true);
        fake.mainLoop.runPending();

        const QString line =
            QStringLiteral("Failed to send notification: The name org.freedesktop.Notifications was not provided");
        QCOMPARE(fake.log.lines, QStringList({line, line}));

        // Nothing is retried, and a send after the service is back works normally.
        fake.notifications.addFailure.reset();
        manager.sendNotification(QStringLiteral("Time for a break!"), QStringLiteral("Body"), true);
        fake.mainLoop.runPending();
        QCOMPARE(fake.notifications.requests.size(), 3);
        QCOMPARE(fake.log.lines.size(), 2);
    }

    void permissionAnswersAreLogged_data()
    {
        QTest::addColumn<bool>("granted");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("granted") << true << QString() << QStringList{"Notification permission granted: true"};
        QTest::newRow("refused") << false << QString() << QStringList{"Notification permission granted: false"};
        QTest::newRow("error") << false << QStringLiteral("Not connected to D-Bus server")
                               << QStringList{"Notification permission error: Not connected to D-Bus server",
                                              "Notification permission granted: false"};
    }

    void permissionAnswersAreLogged()
    {
        QFETCH(bool, granted);
        QFETCH(QString, error);
        QFETCH(QStringList, expected);

        FakePlatform fake;
        NotificationManager manager(fake.platform());
        fake.notifications.granted = granted;
        if (!error.isEmpty())
            fake.notifications.authorizationError = error;

        manager.requestNotificationPermission();
        QCOMPARE(fake.notifications.authorizationRequests, 1);
        fake.mainLoop.runPending();
        QCOMPARE(fake.log.lines, expected);
    }

    void snoozeRunsTheCallbackOnTheMainLoop()
    {
        FakePlatform fake;
        NotificationManager manager(fake.platform());
        int snoozes = 0;
        manager.onSnooze = [&snoozes] { ++snoozes; };
        manager.sendNotification(QStringLiteral("Step away!"), QStringLiteral("Break time! Go stretch! 🚶"), true);
        fake.mainLoop.runPending();
        const QUuid identifier = fake.notifications.requests.first().identifier;

        QVERIFY(fake.notifications.respond(identifier, QStringLiteral("SNOOZE_30_MIN")));

        QCOMPARE(fake.log.lines, QStringList{"NotificationManager: Snooze action triggered"});
        QCOMPARE(snoozes, 0); // queued, not run inside the response
        QCOMPARE(fake.mainLoop.pendingWorkCount(), 1);
        fake.mainLoop.runPending();
        QCOMPARE(snoozes, 1);
    }

    void otherResponsesDoNothing()
    {
        FakePlatform fake;
        NotificationManager manager(fake.platform());
        int snoozes = 0;
        manager.onSnooze = [&snoozes] { ++snoozes; };

        QVERIFY(fake.notifications.respond(QUuid::createUuid(), NotificationResponse::kDefaultActionIdentifier));
        QVERIFY(fake.notifications.respond(QUuid::createUuid(), QStringLiteral("snooze_30_min")));
        QVERIFY(fake.notifications.respond(QUuid::createUuid(), QString()));

        QCOMPARE(fake.mainLoop.pendingWorkCount(), 0);
        fake.mainLoop.runPending();
        QCOMPARE(snoozes, 0);
        QVERIFY(fake.log.lines.isEmpty());
    }

    void snoozeWithoutCallbackOnlyLogs()
    {
        FakePlatform fake;
        NotificationManager manager(fake.platform());

        QVERIFY(fake.notifications.respond(QUuid::createUuid(), QStringLiteral("SNOOZE_30_MIN")));
        fake.mainLoop.runPending();

        QCOMPARE(fake.log.lines, QStringList{"NotificationManager: Snooze action triggered"});
    }

    void destroyedManagerNeitherSnoozesNorReceives()
    {
        FakePlatform fake;
        auto manager = std::make_unique<NotificationManager>(fake.platform());
        int snoozes = 0;
        manager->onSnooze = [&snoozes] { ++snoozes; };

        QVERIFY(fake.notifications.respond(QUuid::createUuid(), QStringLiteral("SNOOZE_30_MIN")));
        manager.reset();
        fake.mainLoop.runPending();

        QCOMPARE(snoozes, 0);
        QVERIFY(!fake.notifications.respond(QUuid::createUuid(), QStringLiteral("SNOOZE_30_MIN")));
    }
};

QTEST_GUILESS_MAIN(NotificationManagerTest)
#include "tst_notification_manager.moc"
