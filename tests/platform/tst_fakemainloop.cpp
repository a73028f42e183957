#include "support/FakeMainLoop.h"

#include <QTest>

// The fake loop is what every time-based test stands on: it must fire timers in time
// order, run posted work before the next tick, and honour invalidation.
class FakeMainLoopTest : public QObject {
    Q_OBJECT
private slots:
    void postedWorkRunsInOrderAfterCurrentWork()
    {
        FakeMainLoop loop;
        QStringList order;
        loop.post([&] {
            order << "first";
            loop.post([&] { order << "posted by first"; });
        });
        loop.post([&] { order << "second"; });
        QVERIFY(order.isEmpty());
        loop.runPending();
        QCOMPARE(order, (QStringList{"first", "second", "posted by first"}));
    }

    void ticksFireInTimeOrderAndTheirWorkRunsBeforeTheNextTick()
    {
        FakeMainLoop loop;
        const Instant start = loop.now();
        QStringList order;
        auto everySecond = loop.scheduleRepeating(1.0, [&] {
            order << QStringLiteral("tick %1").arg(loop.now().secondsSince(start));
            loop.post([&] { order << "work"; });
        });
        auto delayed = loop.scheduleDelayed(std::chrono::milliseconds(2500), [&] { order << "delayed"; });
        loop.advance(3.0);
        QCOMPARE(order, (QStringList{"tick 1", "work", "tick 2", "work", "delayed", "tick 3", "work"}));
        QCOMPARE(loop.now().secondsSince(start), 3.0);
    }

    void longAdvanceFiresEveryTick()
    {
        FakeMainLoop loop;
        int ticks = 0;
        auto timer = loop.scheduleRepeating(1.0, [&] { ++ticks; });
        loop.advance(1500);
        QCOMPARE(ticks, 1500);
        loop.advance(0.5);
        QCOMPARE(ticks, 1500);
    }

    void invalidatedWorkNeverRuns()
    {
        FakeMainLoop loop;
        int repeats = 0;
        int delayedRuns = 0;
        auto timer = loop.scheduleRepeating(1.0, [&] { ++repeats; });
        auto delayed = loop.scheduleDelayed(std::chrono::milliseconds(100), [&] { ++delayedRuns; });
        loop.advance(2.0);
        invalidate(timer);
        QVERIFY(!timer);
        invalidate(timer); // an absent timer: nothing happens
        delayed->invalidate();
        delayed->invalidate(); // already stopped: nothing happens
        loop.advance(5.0);
        QCOMPARE(repeats, 2);
        QCOMPARE(delayedRuns, 1);

        auto cancelled = loop.scheduleDelayed(std::chrono::milliseconds(100), [&] { ++delayedRuns; });
        cancelled.reset(); // dropping the handle cancels
        loop.advance(1.0);
        QCOMPARE(delayedRuns, 1);
        QCOMPARE(loop.activeTimerCount(), 0);
    }

    void aTimerCanStopItselfAndAnother()
    {
        FakeMainLoop loop;
        int a = 0;
        int b = 0;
        ScheduledWorkHandle first;
        ScheduledWorkHandle second;
        first = loop.scheduleRepeating(1.0, [&] {
            if (++a == 2) {
                invalidate(first);
                invalidate(second);
            }
        });
        second = loop.scheduleRepeating(1.0, [&] { ++b; });
        loop.advance(10);
        QCOMPARE(a, 2);
        QCOMPARE(b, 1);
    }
};

QTEST_GUILESS_MAIN(FakeMainLoopTest)
#include "tst_fakemainloop.moc"
