#include "ui/CountdownText.h"
#include "ui/DurationFormat.h"
#include "ui/RelativeTimeFormat.h"

#include <QTest>

// The text formats of the tray, the panel, the focus board and the task rows.
class UiFormatsTest : public QObject {
    Q_OBJECT

private slots:
    void countdownIsMinutesAndSecondsWithoutHours_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << "0:00";
        QTest::newRow("59 s") << qint64(59) << "0:59";
        QTest::newRow("one minute") << qint64(60) << "1:00";
        QTest::newRow("61 s") << qint64(61) << "1:01";
        QTest::newRow("default interval") << qint64(1500) << "25:00";
        QTest::newRow("50 min") << qint64(3000) << "50:00";
        QTest::newRow("65 min, no hours") << qint64(3900) << "65:00";
        QTest::newRow("90 min") << qint64(5400) << "90:00";
        QTest::newRow("negative reads zero") << qint64(-7) << "0:00";
    }

    void countdownIsMinutesAndSecondsWithoutHours()
    {
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        QCOMPARE(CountdownText::format(seconds), text);
    }

    void durationClockShowsHoursFromOneHour_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << "0:00";
        QTest::newRow("59 s") << qint64(59) << "0:59";
        QTest::newRow("4:05") << qint64(245) << "4:05";
        QTest::newRow("just under an hour") << qint64(3599) << "59:59";
        QTest::newRow("one hour") << qint64(3600) << "1:00:00";
        QTest::newRow("1:01:01") << qint64(3661) << "1:01:01";
        QTest::newRow("ten hours") << qint64(36000 + 59) << "10:00:59";
        QTest::newRow("negative reads zero") << qint64(-65) << "0:00";
    }

    void durationClockShowsHoursFromOneHour()
    {
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        QCOMPARE(DurationFormat::clock(seconds), text);
    }

    void compactDurationDropsSecondsFromOneHour_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << "0s";
        QTest::newRow("45 s") << qint64(45) << "45s";
        QTest::newRow("59 s") << qint64(59) << "59s";
        QTest::newRow("one minute") << qint64(60) << "1m 0s";
        QTest::newRow("5m 30s") << qint64(330) << "5m 30s";
        QTest::newRow("just under an hour") << qint64(3599) << "59m 59s";
        QTest::newRow("one hour") << qint64(3600) << "1h 0m";
        QTest::newRow("1h 5m") << qint64(3900) << "1h 5m";
        QTest::newRow("seconds dropped") << qint64(3959) << "1h 5m";
        QTest::newRow("negative reads zero") << qint64(-3) << "0s";
    }

    void compactDurationDropsSecondsFromOneHour()
    {
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        QCOMPARE(DurationFormat::compact(seconds), text);
    }

    void relativeTimeStepsAtElapsedSeconds_data()
    {
        QTest::addColumn<double>("elapsed");
        QTest::addColumn<QString>("text");
        QTest::newRow("future") << -30.0 << "just now";
        QTest::newRow("now") << 0.0 << "just now";
        QTest::newRow("59 s") << 59.0 << "just now";
        QTest::newRow("59.9 s") << 59.9 << "just now";
        QTest::newRow("60 s") << 60.0 << "1 min ago";
        QTest::newRow("3599 s") << 3599.0 << "59 min ago";
        QTest::newRow("3600 s") << 3600.0 << "1 hour ago";
        QTest::newRow("7199 s") << 7199.0 << "1 hour ago";
        QTest::newRow("7200 s") << 7200.0 << "2 hours ago";
        QTest::newRow("a second short of a day") << 86399.0 << "23 hours ago";
        QTest::newRow("a day") << 86400.0 << "yesterday";
        QTest::newRow("30 hours") << 30 * 3600.0 << "yesterday";
        QTest::newRow("two days") << 172800.0 << "2 days ago";
        QTest::newRow("6 days 23 h") << (6 * 24 + 23) * 3600.0 << "6 days ago";
        QTest::newRow("a second short of a week") << 604799.0 << "6 days ago";
        // Now is 2026-03-14 09:00 UTC.
        QTest::newRow("a week") << 604800.0 << "Mar 7";
        QTest::newRow("40 days") << 40 * 86400.0 << "Feb 2";
    }

    void relativeTimeStepsAtElapsedSeconds()
    {
        QFETCH(double, elapsed);
        QFETCH(QString, text);
        const Instant now = Instant::fromDateTime(QDateTime(QDate(2026, 3, 14), QTime(9, 0), QTimeZone::utc()));
        QCOMPARE(RelativeTimeFormat::format(now.addSeconds(-elapsed), now, QLocale::c(), QTimeZone::utc()), text);
    }

    void relativeDateFollowsTheZoneAndLocale()
    {
        const Instant now = Instant::fromDateTime(QDateTime(QDate(2026, 3, 20), QTime(12, 0), QTimeZone::utc()));
        const Instant earlyMorningUtc =
            Instant::fromDateTime(QDateTime(QDate(2026, 3, 6), QTime(2, 0), QTimeZone::utc()));
        QCOMPARE(RelativeTimeFormat::format(earlyMorningUtc, now, QLocale::c(), QTimeZone::utc()), "Mar 6");
        QCOMPARE(RelativeTimeFormat::format(earlyMorningUtc, now, QLocale::c(), QTimeZone("America/New_York")),
                 "Mar 5");
        QCOMPARE(RelativeTimeFormat::format(earlyMorningUtc, now, QLocale(QLocale::German), QTimeZone::utc()),
                 QLocale(QLocale::German).monthName(3, QLocale::ShortFormat) + " 6");
        QVERIFY(QLocale(QLocale::German).monthName(3, QLocale::ShortFormat) != "Mar");
    }
};

QTEST_GUILESS_MAIN(UiFormatsTest)
#include "tst_uiformats.moc"
