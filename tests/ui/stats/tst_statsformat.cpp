#include "support/FakeMainLoop.h"
#include "ui/stats/ChartAxis.h"
#include "ui/stats/DayRollover.h"
#include "ui/stats/StatsFormat.h"

#include <QDateTime>
#include <QTest>

#include <ctime>

namespace {
// An instant given as wall-clock time in the test's zone (Europe/Berlin).
Instant local(int y, int mo, int d, int h, int mi, int s = 0)
{
    return Instant::fromDateTime(QDateTime(QDate(y, mo, d), QTime(h, mi, s)));
}
} // namespace

class StatsFormatTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        qputenv("TZ", "Europe/Berlin");
        tzset();
    }

    void workTime_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing") << qint64(0) << "0m";
        QTest::newRow("under a minute") << qint64(59) << "0m";
        QTest::newRow("one session") << qint64(1500) << "25m";
        QTest::newRow("a second short of an hour") << qint64(3599) << "59m";
        QTest::newRow("an hour") << qint64(3600) << "1h 0m";
        QTest::newRow("an hour and five") << qint64(3900) << "1h 5m";
        QTest::newRow("two hours") << qint64(7200) << "2h 0m";
        QTest::newRow("long day") << qint64(36000 + 59 * 60 + 59) << "10h 59m";
    }
    void workTime()
    {
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        QCOMPARE(StatsFormat::workTimeText(seconds), text);
    }

    void sessionDuration()
    {
        QCOMPARE(StatsFormat::sessionDurationText(0), QStringLiteral("0 sec"));
        QCOMPARE(StatsFormat::sessionDurationText(42), QStringLiteral("42 sec"));
        QCOMPARE(StatsFormat::sessionDurationText(59), QStringLiteral("59 sec"));
        QCOMPARE(StatsFormat::sessionDurationText(60), QStringLiteral("1 min"));
        QCOMPARE(StatsFormat::sessionDurationText(119), QStringLiteral("1 min"));
        QCOMPARE(StatsFormat::sessionDurationText(1500), QStringLiteral("25 min"));
        QCOMPARE(StatsFormat::sessionDurationText(5400), QStringLiteral("90 min"));
    }

    void timeRangeUsesTheLocalTwentyFourHourClock()
    {
        QCOMPARE(StatsFormat::timeRangeText(local(2026, 3, 14, 9, 5), local(2026, 3, 14, 9, 30, 59)),
                 QStringLiteral("09:05 - 09:30"));
        QCOMPARE(StatsFormat::timeRangeText(local(2026, 3, 14, 23, 50), local(2026, 3, 15, 0, 20)),
                 QStringLiteral("23:50 - 00:20"));
        // 13:00 UTC is 14:00 in Berlin in winter.
        QCOMPARE(StatsFormat::timeRangeText(Instant::fromUnixSeconds(1'773'493'200.0),
                                            Instant::fromUnixSeconds(1'773'493'200.0 + 1500)),
                 QStringLiteral("14:00 - 14:25"));
    }

    void weekdayLabelsFollowTheLocale()
    {
        const Instant saturday = local(2026, 3, 14, 0, 30); // 23:30 UTC on the Friday
        QCOMPARE(StatsFormat::weekdayLabel(saturday, QLocale(QLocale::English, QLocale::UnitedStates)),
                 QStringLiteral("Sat"));
        QCOMPARE(StatsFormat::weekdayLabel(local(2026, 3, 16, 12, 0), QLocale(QLocale::English)),
                 QStringLiteral("Mon"));
        QCOMPARE(StatsFormat::weekdayLabel(local(2026, 3, 16, 12, 0), QLocale(QLocale::German, QLocale::Germany)),
                 QLocale(QLocale::German).dayName(1, QLocale::ShortFormat));
        QVERIFY(StatsFormat::weekdayLabel(local(2026, 3, 16, 12, 0), QLocale(QLocale::German)).startsWith(u"Mo"));
        QVERIFY(StatsFormat::weekdayLabel(local(2026, 3, 16, 12, 0), QLocale(QLocale::French)).startsWith(u"lun"));
    }

    void summaryTilesInOrder()
    {
        const auto tiles = StatsFormat::summaryTiles(1500, 1, 0, 1);
        QCOMPARE(tiles.size(), size_t(4));
        QCOMPARE(tiles[0], (StatsFormat::SummaryTile{"Work Time", "25m", "clock.fill", ColorRole::blue}));
        QCOMPARE(tiles[1], (StatsFormat::SummaryTile{"Sessions", "1", "checkmark.circle.fill", ColorRole::green}));
        QCOMPARE(tiles[2], (StatsFormat::SummaryTile{"Breaks", "0", "cup.and.saucer.fill", ColorRole::orange}));
        QCOMPARE(tiles[3], (StatsFormat::SummaryTile{"Streak", "1", "flame.fill", ColorRole::red}));
    }

    void axisTicks_data()
    {
        QTest::addColumn<double>("maximum");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("empty week") << 0.0 << QStringList{"0.0h", "0.5h", "1.0h"};
        QTest::newRow("a short day") << 0.3 << QStringList{"0.0h", "0.1h", "0.2h", "0.3h"};
        QTest::newRow("one and a half hours") << 1.5 << QStringList{"0.0h", "0.5h", "1.0h", "1.5h"};
        QTest::newRow("a long day") << 7.9 << QStringList{"0.0h", "2.0h", "4.0h", "6.0h", "8.0h"};
        QTest::newRow("a few minutes") << 0.05 << QStringList{"0.0h", "0.1h"};
        QTest::newRow("just over a step") << 2.01 << QStringList{"0.0h", "1.0h", "2.0h", "3.0h"};
        QTest::newRow("very long days") << 12.0 << QStringList{"0.0h", "5.0h", "10.0h", "15.0h"};
    }
    void axisTicks()
    {
        QFETCH(double, maximum);
        QFETCH(QStringList, labels);
        const ChartAxis axis = ChartAxis::forMaximum(maximum);
        QStringList shown;
        for (double tick : axis.ticks)
            shown << ChartAxis::label(tick);
        QCOMPARE(shown, labels);
    }

    void axisAlwaysCoversTheTallestBarWithDistinctLabels()
    {
        for (int hundredths = 1; hundredths <= 2400; ++hundredths) {
            const double maximum = hundredths / 100.0;
            const ChartAxis axis = ChartAxis::forMaximum(maximum);
            QVERIFY2(axis.top() >= maximum - 1e-9, qPrintable(QString::number(maximum)));
            QVERIFY2(axis.ticks.size() >= 2 && axis.ticks.size() <= 6, qPrintable(QString::number(maximum)));
            QVERIFY(axis.top() - axis.step < maximum); // no empty step above the tallest bar
            for (size_t i = 1; i < axis.ticks.size(); ++i)
                QVERIFY(ChartAxis::label(axis.ticks[i]) != ChartAxis::label(axis.ticks[i - 1]));
        }
    }

    void midnightIsFoundInLocalTime()
    {
        QCOMPARE(DayRollover::secondsUntilNextMidnight(local(2026, 3, 14, 23, 59, 30)), 30.0);
        QCOMPARE(DayRollover::secondsUntilNextMidnight(local(2026, 3, 15, 0, 0, 0)), 86400.0);
        // The night the clocks go forward: 22:00 to midnight is still two hours.
        QCOMPARE(DayRollover::secondsUntilNextMidnight(local(2026, 3, 28, 22, 0)), 7200.0);
        // The day itself has 23 hours.
        QCOMPARE(DayRollover::secondsUntilNextMidnight(local(2026, 3, 29, 0, 0)), 23 * 3600.0);
    }

    void rolloverCallsBackOnceAtEachMidnight()
    {
        FakeMainLoop loop(local(2026, 3, 28, 10, 0));
        int newDays = 0;
        DayRollover rollover(loop, [&] { ++newDays; });
        loop.advance(14 * 3600 - 1); // 23:59:59
        QCOMPARE(newDays, 0);
        loop.advance(1);
        QCOMPARE(newDays, 1);
        QCOMPARE(loop.now(), local(2026, 3, 29, 0, 0));
        loop.advance(23 * 3600 - 1); // the short day
        QCOMPARE(newDays, 1);
        loop.advance(1);
        QCOMPARE(newDays, 2);
        loop.advance(24 * 3600);
        QCOMPARE(newDays, 3);
        QCOMPARE(loop.activeTimerCount(), 1);
    }
};

QTEST_GUILESS_MAIN(StatsFormatTest)
#include "tst_statsformat.moc"
