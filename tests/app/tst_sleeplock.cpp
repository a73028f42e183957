#include "app/AppDelegate.h"
#include "platform/SessionEvents.h"
#include "support/FakeApp.h"

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
        QTest::newRow("clock jump without notice") << std::optional<Cause>() << true;
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
            f.fake.mainLoop.jumpWallClock(3600);
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
        QCOMPARE(f.stats.sessions().size(), 1);
        QCOMPARE(f.stats.sessions().first().endTime, lastInput);
        QVERIFY(f.stats.sessions().first().durationSeconds <= 611);
        QCOMPARE(f.timer().workSeconds(), 0);
        QVERIFY(f.todos.currentSessionSeconds() <= 611);
    }

    void aBreakGoesOnWhileTheMachineSleeps()
    {
        Fixture f;
        f.startPresent();
        f.work(1500);
        QCOMPARE(f.timer().state(), TimerState::breakWaiting);
        f.set(Cause::sleep, true);
        QCOMPARE(f.timer().state(), TimerState::breakActive);
        f.fake.mainLoop.jumpWallClock(400);
        f.set(Cause::sleep, false);
        f.fake.mainLoop.advance(1);
        QCOMPARE(f.timer().state(), TimerState::working);
        QCOMPARE(f.stats.sessions().last().type, SessionType::breakSession);
        QVERIFY(f.stats.sessions().last().completed);
    }

    void aClockSetBackKeepsTheTimeSinceTheLastInput()
    {
        Fixture f;
        f.startPresent();
        f.work(10);
        f.fake.mainLoop.jumpWallClock(-3600);
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
        QCOMPARE(f.stats.sessions().size(), 1);
        QCOMPARE(f.stats.sessions().first().endTime, lastInput);
    }
};

QTEST_GUILESS_MAIN(SleepLockTest)
#include "tst_sleeplock.moc"
