#include "app/AppDelegate.h"
#include "platform/SessionEvents.h"
#include "support/FakeApp.h"
#include "support/TestFiles.h"

#include <QTest>

namespace {
using Cause = SessionEvents::Cause;

struct Fixture : FakeApp {
    void set(Cause cause, bool on)
    {
        fake.sessionEvents.set(cause, on);
        fake.mainLoop.runPending();
    }
};
} // namespace

class SleepLockTest : public QObject {
    Q_OBJECT
private slots:
    // Sleep, lock, screen saver and a clock jump without notice all make the user away from
    // the last input before them; only new input afterwards brings the user back.
    void awayFromTheLastInputBefore_data()
    {
        QTest::addColumn<std::optional<Cause>>("cause");
        QTest::addColumn<bool>("ticksStop");
        QTest::newRow("sleep") << std::optional(Cause::sleep) << true;
        QTest::newRow("lock") << std::optional(Cause::lock) << false;
        QTest::newRow("screen saver") << std::optional(Cause::screenSaver) << false;
        QTest::newRow("sleep without notice") << std::optional<Cause>() << true;
    }
    void awayFromTheLastInputBefore()
    {
        QFETCH(std::optional<Cause>, cause);
        QFETCH(bool, ticksStop);
        Fixture f;
        f.addCurrentTask(QStringLiteral("Write report"));
        f.startPresent();
        f.work(600);
        const Instant lastInput = f.monitor().lastActivityTime();
        f.fake.mainLoop.advance(10);
        if (cause) {
            f.set(*cause, true);
            QVERIFY(!f.monitor().isPresent());
            f.input(); // the password typed into the lock screen
            QVERIFY(!f.monitor().isPresent());
        }
        if (ticksStop)
            f.fake.mainLoop.sleep(3600);
        else
            f.fake.mainLoop.advance(3600);
        f.fake.mainLoop.advance(1);
        if (cause)
            f.set(*cause, false);
        f.fake.mainLoop.advance(1);
        QVERIFY(!f.monitor().isPresent());
        QCOMPARE(f.monitor().awaySince(), lastInput);

        f.input();
        QVERIFY(f.monitor().isPresent());
        QVERIFY(f.todos.isTracking());
        // The hour away ended the work period where the user left, and was not focus time.
        QCOMPARE(f.stats.sessions().value().size(), 1);
        QCOMPARE(f.stats.sessions().value().first().endTime, lastInput);
        QVERIFY(f.stats.sessions().value().first().durationSeconds <= 611);
        QCOMPARE(f.timer().workSeconds(), 0);
        QVERIFY(f.todos.currentSessionSeconds() <= 611);
    }

    // A clock set or stepped by NTP while the user works is no time away: work, break and
    // focus count real seconds, and the records follow the new clock.
    void aStepOfTheWallClockIsNotTimeAway_data()
    {
        QTest::addColumn<double>("step");
        QTest::addColumn<bool>("duringBreak");
        QTest::newRow("an hour ahead") << 3600.0 << false;
        QTest::newRow("a minute ahead") << 60.0 << false;
        QTest::newRow("an hour back") << -3600.0 << false;
        QTest::newRow("an hour ahead during the break") << 3600.0 << true;
    }
    void aStepOfTheWallClockIsNotTimeAway()
    {
        QFETCH(double, step);
        QFETCH(bool, duringBreak);
        Fixture f;
        const QUuid task = f.addCurrentTask(QStringLiteral("Write report"));
        f.startPresent();
        f.work(duringBreak ? 1500 : 600);
        if (duringBreak) {
            f.fake.mainLoop.advance(10); // away: the break runs
            f.fake.mainLoop.stepWallClock(step);
            f.fake.mainLoop.advance(300);
        } else {
            f.fake.mainLoop.stepWallClock(step);
            f.work(900);
        }
        if (!duringBreak)
            QVERIFY(!readFile(f.fake.locations.dataFile("presence_log.txt")).contains("AWAY"));
        const QList<Session> sessions = f.stats.sessions().value();
        QCOMPARE(sessions.size(), duringBreak ? 2 : 1);
        for (const Session &session : sessions) {
            QVERIFY(session.completed);
            QCOMPARE(session.durationSeconds, session.type == SessionType::work ? 1500 : 300);
            QVERIFY(qAbs(session.endTime.secondsSince(session.startTime) - session.durationSeconds) < 16);
        }
        QCOMPARE(f.item(task).totalFocusSeconds, 1500);
    }

    // Sleep or a stopped process between two checks, found by the next input: away from the
    // last input before; nothing counts negative, and no record ends before it starts.
    void aGapFoundByInputEndsTheWorkWhereTheUserLeft_data()
    {
        QTest::addColumn<bool>("stopped");
        QTest::newRow("sleep") << false;
        QTest::newRow("stopped") << true;
    }
    void aGapFoundByInputEndsTheWorkWhereTheUserLeft()
    {
        QFETCH(bool, stopped);
        Fixture f;
        const QUuid task = f.addCurrentTask(QStringLiteral("Write report"));
        f.startPresent();
        f.work(1200);
        const Instant lastInput = f.monitor().lastActivityTime();
        f.fake.mainLoop.advance(0.5);
        stopped ? f.fake.mainLoop.stall(8 * 3600) : f.fake.mainLoop.sleep(8 * 3600);
        f.input();
        QVERIFY(f.monitor().isPresent());
        QCOMPARE(f.stats.sessions().value().size(), 1);
        QCOMPARE(f.stats.sessions().value().first().endTime, lastInput);
        QCOMPARE(f.item(task).totalFocusSeconds, 1200);
        f.work(600);
        // The eight hours count for nothing; the file has all but the last five minutes.
        QVERIFY(qAbs(f.todos.currentSessionSeconds() - 1800) <= 1);
        QCOMPARE(f.item(task).totalFocusSeconds, 1500);
    }

    void aBreakGoesOnWhileTheMachineSleeps()
    {
        Fixture f;
        f.startPresent();
        f.work(1500);
        QCOMPARE(f.timer().state(), TimerState::breakWaiting);
        f.set(Cause::sleep, true);
        QCOMPARE(f.timer().state(), TimerState::breakActive);
        f.fake.mainLoop.sleep(400);
        f.set(Cause::sleep, false);
        f.fake.mainLoop.advance(1);
        QCOMPARE(f.timer().state(), TimerState::working);
        QCOMPARE(f.stats.sessions().value().last().type, SessionType::breakSession);
        QVERIFY(f.stats.sessions().value().last().completed);
    }

    void aClockSetBackKeepsTheTimeSinceTheLastInput()
    {
        Fixture f;
        f.startPresent();
        f.work(10);
        f.fake.mainLoop.stepWallClock(-3600);
        f.fake.mainLoop.advance(30);
        QVERIFY(!f.monitor().isPresent());
    }

    void quittingWhileLockedEndsTheWorkWhereTheUserLeft()
    {
        Fixture f;
        f.startPresent();
        f.work(100);
        const Instant lastInput = f.monitor().lastActivityTime();
        f.set(Cause::lock, true);
        f.fake.mainLoop.advance(600);
        AppDelegate(f.fake.platform(), f.appState).applicationWillTerminate();
        QCOMPARE(f.stats.sessions().value().size(), 1);
        QCOMPARE(f.stats.sessions().value().first().endTime, lastInput);
    }
};

QTEST_GUILESS_MAIN(SleepLockTest)
#include "tst_sleeplock.moc"
