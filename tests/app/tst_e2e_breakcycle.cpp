#include "support/PelmixProcess.h"
#include "support/PrivateSessionBus.h"
#include "support/TestNotificationServer.h"
#include "support/XvfbServer.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <csignal>

// A whole work interval with the real program: XTest input on a private X server makes the
// user present, reminders arrive at a test notification server on a private session bus,
// and the sessions land in the history file. Developer lengths keep it to seconds.
class BreakCycleTest : public QObject {
    Q_OBJECT

    XvfbServer m_xserver;
    Display *m_display = nullptr;

    void moveThePointer()
    {
        static int direction = 1;
        direction = -direction;
        XTestFakeRelativeMotionEvent(m_display, 3 * direction, 0, CurrentTime);
        XFlush(m_display);
    }

    // Keeps the user active until `done` holds, or fails after `timeoutMs`.
    bool keepActiveUntil(const std::function<bool()> &done, int timeoutMs)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (!done()) {
            if (deadline.hasExpired())
                return false;
            moveThePointer();
            QTest::qWait(200);
        }
        return true;
    }

    static int indexOfSummary(const TestNotificationServer &server, const QString &summary)
    {
        for (int i = 0; i < server.received.size(); ++i) {
            if (server.received[i].summary == summary)
                return i;
        }
        return -1;
    }

    static QJsonArray sessions(const PelmixProcess &pelmix)
    {
        QFile file(pelmix.dataFile("sessions.json"));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QJsonDocument::fromJson(file.readAll()).array();
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_xserver.start(), qPrintable(m_xserver.errorString()));
        m_display = XOpenDisplay(m_xserver.displayName().constData());
        QVERIFY(m_display);
    }

    void cleanupTestCase()
    {
        if (m_display)
            XCloseDisplay(m_display);
    }

    void workBreakAndTermination()
    {
        PrivateSessionBus bus;
        QVERIFY2(bus.isRunning(), qPrintable(bus.errorString()));
        TestNotificationServer server;
        QVERIFY(server.registerOn(bus.connect("notification-server")));

        PelmixProcess pelmix;
        pelmix.setDisplay(QString::fromLatin1(m_xserver.displayName()));
        pelmix.setSessionBus(bus.address());
        pelmix.setPreference("hasCompletedOnboarding", true);
        pelmix.setPreference("workDuration", 0);
        pelmix.setPreference("shortBreakDuration", 0);
        QVERIFY(pelmix.start());
        QVERIFY2(pelmix.waitForLine("AppState: start() called"), qPrintable(pelmix.lines().join('\n')));

        // Ten seconds of work bring the reminder, with its snooze button and sound.
        QVERIFY2(keepActiveUntil([&] { return indexOfSummary(server, "Time for a break!") >= 0; }, 20000),
                 qPrintable(pelmix.lines().join('\n')));
        const auto reminder = server.received[indexOfSummary(server, "Time for a break!")];
        QCOMPARE(reminder.body, "Step away from the computer for 0 min");
        QCOMPARE(reminder.appName, "Pelmix");
        QVERIFY(reminder.actions.contains("SNOOZE_30_MIN"));
        QCOMPARE(reminder.hints.value("sound-name").toString(), "message-new-instant");
        QVERIFY(pelmix.lines().contains("Notification permission granted: true"));

        // The snooze button snoozes the work timer.
        server.invokeAction(reminder.id, "SNOOZE_30_MIN");
        QVERIFY(pelmix.waitForLine("WorkTimer: Snooze triggered for 30 minutes"));

        // Without input the break counts after 5 idle seconds and is over 5 seconds later.
        QVERIFY2(QTest::qWaitFor([&] { return indexOfSummary(server, "Break complete!") >= 0; }, 20000),
                 qPrintable(pelmix.lines().join('\n')));
        const QJsonArray afterBreak = sessions(pelmix);
        QCOMPARE(afterBreak.size(), 2);
        QCOMPARE(afterBreak[0]["type"].toString(), "work");
        QCOMPARE(afterBreak[0]["completed"].toBool(), true);
        QCOMPARE(afterBreak[0]["durationSeconds"].toInt(), 10);
        QCOMPARE(afterBreak[1]["type"].toString(), "break");
        QCOMPARE(afterBreak[1]["completed"].toBool(), true);
        QCOMPARE(afterBreak[1]["durationSeconds"].toInt(), 5);

        // Back at work for a few seconds, then the desktop logs out.
        const auto presentTurns = [&] {
            QFile log(pelmix.dataFile("presence_log.txt"));
            return log.open(QIODevice::ReadOnly) ? log.readAll().count(" | PRESENT\n") : 0;
        };
        const auto turnsBefore = presentTurns();
        QVERIFY(keepActiveUntil([&] { return presentTurns() > turnsBefore; }, 5000));
        QTest::qWait(3000);
        QVERIFY(pelmix.stopWith(SIGTERM));
        const QJsonArray afterExit = sessions(pelmix);
        QCOMPARE(afterExit.size(), 3);
        QCOMPARE(afterExit[2]["type"].toString(), "work");
        QCOMPARE(afterExit[2]["completed"].toBool(), false);
        QVERIFY(afterExit[2]["durationSeconds"].toInt() >= 2);
    }
};

QTEST_GUILESS_MAIN(BreakCycleTest)
#include "tst_e2e_breakcycle.moc"
