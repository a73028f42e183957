#include "support/FakeMainLoop.h"
#include "ui/CountdownText.h"
#include "ui/DurationFormat.h"
#include "ui/RelativeTimeFormat.h"
#include "ui/settings/SettingsOptions.h"
#include "ui/stats/ChartAxis.h"
#include "ui/stats/DayRollover.h"
#include "ui/stats/StatsFormat.h"

#include <QTest>

#include <ctime>

namespace {
// An instant given as wall-clock time in the test's zone (Europe/Berlin).
Instant local(int mo, int d, int h, int mi, int s = 0)
{
    return Instant::fromDateTime(QDateTime(QDate(2026, mo, d), QTime(h, mi, s)));
}
} // namespace

// The texts of the tray, the panels, the task rows, the statistics and the settings pickers.
class UiFormatsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qputenv("TZ", "Europe/Berlin");
        tzset();
    }

    void durations_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("countdown");
        QTest::addColumn<QString>("compact");
        QTest::addColumn<QString>("workTime");
        QTest::newRow("zero") << qint64(0) << "0:00" << "0s" << "0m";
        QTest::newRow("59 s") << qint64(59) << "0:59" << "59s" << "0m";
        QTest::newRow("61 s") << qint64(61) << "1:01" << "1m 1s" << "1m";
        QTest::newRow("just under an hour") << qint64(3599) << "59:59" << "59m 59s" << "59m";
        QTest::newRow("65 min, no hours in the countdown") << qint64(3959) << "65:59" << "1h 5m" << "1h 5m";
        QTest::newRow("negative reads zero") << qint64(-7) << "0:00" << "0s" << "0m";
    }

    void durations()
    {
        QFETCH(qint64, seconds);
        QTEST(CountdownText::format(seconds), "countdown");
        QTEST(DurationFormat::compact(seconds), "compact");
        if (seconds >= 0)
            QTEST(StatsFormat::workTimeText(seconds), "workTime");
    }

    void relativeTimeStepsAtElapsedSeconds_data()
    {
        QTest::addColumn<double>("elapsed");
        QTest::addColumn<QString>("text");
        QTest::newRow("future") << -30.0 << "just now";
        QTest::newRow("59.9 s") << 59.9 << "just now";
        QTest::newRow("60 s") << 60.0 << "1 min ago";
        QTest::newRow("3600 s") << 3600.0 << "1 hour ago";
        QTest::newRow("7200 s") << 7200.0 << "2 hours ago";
        QTest::newRow("a day") << 86400.0 << "yesterday";
        QTest::newRow("two days") << 172800.0 << "2 days ago";
        QTest::newRow("a week") << 604800.0 << "Mar 7";
    }

    void relativeTimeStepsAtElapsedSeconds()
    {
        QFETCH(double, elapsed);
        const Instant now = Instant::fromDateTime(QDateTime(QDate(2026, 3, 14), QTime(9, 0), QTimeZone::utc()));
        QTEST(RelativeTimeFormat::format(now.addSeconds(-elapsed), now, QLocale::c(), QTimeZone::utc()), "text");
    }

    void timeRangeUsesTheLocalTwentyFourHourClock()
    {
        QCOMPARE(StatsFormat::timeRangeText(local(3, 14, 23, 50), local(3, 15, 0, 20, 59)),
                 QStringLiteral("23:50 - 00:20"));
    }

    void axisTicks_data()
    {
        QTest::addColumn<double>("maximum");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("empty week") << 0.0 << QStringList{"0.0h", "0.5h", "1.0h"};
        QTest::newRow("a short day") << 0.3 << QStringList{"0.0h", "0.1h", "0.2h", "0.3h"};
        QTest::newRow("a long day") << 7.9 << QStringList{"0.0h", "2.0h", "4.0h", "6.0h", "8.0h"};
        QTest::newRow("just over a step") << 2.01 << QStringList{"0.0h", "1.0h", "2.0h", "3.0h"};
    }
    void axisTicks()
    {
        QFETCH(double, maximum);
        QStringList shown;
        for (double tick : ChartAxis::forMaximum(maximum).ticks)
            shown << ChartAxis::label(tick);
        QTEST(shown, "labels");
    }

    // Across the night the clocks go forward, and the 23-hour day after it.
    void rolloverCallsBackOnceAtEachLocalMidnight()
    {
        FakeMainLoop loop(local(3, 28, 10, 0));
        int newDays = 0;
        DayRollover rollover(loop, [&] { ++newDays; });
        loop.advance(14 * 3600 - 1); // 23:59:59
        QCOMPARE(newDays, 0);
        loop.advance(1);
        QCOMPARE(loop.now(), local(3, 29, 0, 0));
        loop.advance(23 * 3600);
        QCOMPARE(newDays, 2);
        QCOMPARE(loop.activeTimerCount(), 1);
    }

    void pickersShowAnUnlistedValueAsWhatItIsButNeverOfferIt_data()
    {
        QTest::addColumn<SettingsPicker>("picker");
        QTest::addColumn<qint64>("stored");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("current");
        QTest::newRow("listed") << SettingsPicker::longBreak << qint64(20)
                                << QStringList{"15 min", "20 min", "30 min"} << 1;
        QTest::newRow("onboarding's 30 min work") << SettingsPicker::sessionLength << qint64(30)
                                                  << QStringList{"15 min", "25 min", "30 min(shown only)", "50 min"}
                                                  << 2;
        QTest::newRow("5s break left after developer mode was turned off")
            << SettingsPicker::shortBreak << qint64(0) << QStringList{"5s(shown only)", "5 min", "10 min"} << 0;
        QTest::newRow("idle seconds that are not whole minutes")
            << SettingsPicker::idleTimeout << qint64(90)
            << QStringList{"30 sec", "1 min", "90 sec(shown only)", "2 min"} << 2;
        QTest::newRow("one session") << SettingsPicker::longBreakEvery << qint64(1)
                                     << QStringList{"1 session(shown only)", "3 sessions", "4 sessions", "5 sessions"}
                                     << 0;
    }
    void pickersShowAnUnlistedValueAsWhatItIsButNeverOfferIt()
    {
        QFETCH(SettingsPicker, picker);
        QFETCH(qint64, stored);
        QFETCH(int, current);
        const PickerChoices choices = SettingsOptions::choices(picker, stored, false);
        QStringList labels;
        for (const PickerChoices::Entry &entry : choices.entries)
            labels << entry.option.label + (entry.selectable ? QString() : QStringLiteral("(shown only)"));
        QTEST(labels, "entries");
        QCOMPARE(choices.currentIndex, current);
        QCOMPARE(choices.entries[static_cast<size_t>(current)].option.value, stored);
    }
};

QTEST_GUILESS_MAIN(UiFormatsTest)
#include "tst_uiformats.moc"
