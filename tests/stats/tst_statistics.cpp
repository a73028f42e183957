#include "support/FakePlatform.h"

#include "stats/StatsManager.h"

#include <QCoreApplication>
#include <QTest>

#include <ctime>

// The whole test runs in Berlin's time zone: days that do not start at UTC midnight, and a
// 23-hour day on 2026-03-29 and a 25-hour day on 2026-10-25.
namespace {

Instant local(int year, int month, int day, int hour, int minute, int second = 0)
{
    return Instant::fromDateTime(QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::LocalTime));
}

QDate localDate(Instant instant) { return instant.toDateTime().toLocalTime().date(); }

class History {
public:
    History() : stats(fake.platform()) {}

    void at(Instant now) { fake.mainLoop.setNow(now); }
    void work(Instant start, Instant end, qint64 seconds, bool completed = true, SessionType type = SessionType::work)
    {
        stats.appendSession(Session::make(start, end, seconds, type, completed));
    }
    void rest(Instant start, Instant end, qint64 seconds, bool completed = true)
    {
        work(start, end, seconds, completed, SessionType::breakSession);
    }

    QList<double> weeklyHours() const
    {
        QList<double> hours;
        for (const DailyWork &entry : stats.weeklyData())
            hours.append(entry.workHours);
        return hours;
    }
    QList<QDate> weeklyDates() const
    {
        QList<QDate> dates;
        for (const DailyWork &entry : stats.weeklyData())
            dates.append(localDate(entry.date));
        return dates;
    }

    FakePlatform fake;
    StatsManager stats;
};

QList<QDate> consecutiveDays(QDate last)
{
    QList<QDate> days;
    for (int offset = -6; offset <= 0; ++offset)
        days.append(last.addDays(offset));
    return days;
}

// A session of the streak cases, in hours after today's midnight.
struct Entry {
    double start, end;
    SessionType type;
    bool completed;
};

} // namespace

Q_DECLARE_METATYPE(QList<Entry>)

class StatisticsTest : public QObject {
    Q_OBJECT

private slots:
    void sessionBelongsToTheDayItStarted()
    {
        History history;
        history.work(local(2026, 6, 9, 23, 50), local(2026, 6, 10, 0, 20), 1800);
        // Exactly at midnight is the new day; a moment before it is still the old one.
        history.work(local(2026, 6, 10, 0, 0), local(2026, 6, 10, 0, 30), 900);
        history.work(local(2026, 6, 10, 0, 0).addSeconds(-0.0001), local(2026, 6, 10, 0, 1), 60);
        history.at(local(2026, 6, 10, 12, 0));

        QCOMPARE(history.stats.todaySessions().size(), 1);
        QCOMPARE(history.stats.todayWorkSeconds(), 900);
        QCOMPARE(history.stats.totalWorkSeconds(local(2026, 6, 9, 3, 0)), 1860);
        QCOMPARE(history.weeklyHours(), (QList<double>{0, 0, 0, 0, 0, 1860 / 3600.0, 0.25}));
    }

    void todaysFiguresCountTypesAndCompletion()
    {
        History history;
        history.at(local(2026, 6, 10, 18, 0));
        history.work(local(2026, 6, 10, 9, 0), local(2026, 6, 10, 9, 30), 1500);
        history.rest(local(2026, 6, 10, 9, 30), local(2026, 6, 10, 9, 40), 300);
        history.work(local(2026, 6, 10, 10, 0), local(2026, 6, 10, 10, 20), 600, false);
        history.rest(local(2026, 6, 10, 10, 20), local(2026, 6, 10, 10, 22), 120, false);
        history.work(local(2026, 6, 10, 11, 0), local(2026, 6, 10, 13, 0), 5400 - 2100);
        history.work(local(2026, 6, 9, 11, 0), local(2026, 6, 9, 13, 0), 5400);

        QCOMPARE(history.stats.todayWorkSessions().size(), 3);
        QCOMPARE(history.stats.todayBreakSessions().size(), 2);
        // The 600 seconds of the session cut short count as work time, not as a completed session.
        QCOMPARE(history.stats.todayWorkSeconds(), 5400);
        QCOMPARE(history.stats.completedWorkSessionsToday(), 2);
        QCOMPARE(history.stats.completedBreaksToday(), 1);
        QCOMPARE(history.weeklyHours(), (QList<double>{0, 0, 0, 0, 0, 1.5, 1.5}));
    }

    void streak_data()
    {
        QTest::addColumn<QList<Entry>>("entries");
        QTest::addColumn<qint64>("streak");
        const auto work = SessionType::work;
        const auto rest = SessionType::breakSession;
        QTest::newRow("latest cut short")
            << QList<Entry>{{9, 9.5, work, true}, {10, 10.5, work, true}, {11, 11.2, work, false}} << qint64(0);
        QTest::newRow("earliest cut short")
            << QList<Entry>{{9, 9.2, work, false}, {10, 10.5, work, true}, {11, 11.5, work, true}} << qint64(2);
        QTest::newRow("breaks do not interrupt") << QList<Entry>{{9, 9.5, work, true},
                                                                 {9.5, 9.6, rest, false},
                                                                 {10, 10.5, work, true},
                                                                 {10.5, 10.6, rest, true}}
                                                 << qint64(2);
        // Recorded out of order: the session that ended last decides, not the one appended last.
        QTest::newRow("by end, not by appending")
            << QList<Entry>{{11, 12, work, true}, {9, 11, work, false}} << qint64(1);
        // Yesterday's sessions neither extend nor break today's streak.
        QTest::newRow("yesterday ignored")
            << QList<Entry>{{-15, -14.5, work, true}, {-13, -12.5, work, false}, {9, 9.5, work, true}} << qint64(1);
    }

    void streak()
    {
        QFETCH(QList<Entry>, entries);
        QFETCH(qint64, streak);
        History history;
        const Instant midnight = local(2026, 6, 10, 0, 0);
        history.at(local(2026, 6, 10, 20, 0));
        for (const Entry &e : entries)
            history.work(midnight.addSeconds(e.start * 3600), midnight.addSeconds(e.end * 3600), 60, e.completed,
                         e.type);
        QCOMPARE(history.stats.currentStreak(), streak);
    }

    void weekSpanningClockChangeHasSevenCalendarDays()
    {
        History history;
        for (int day = 25; day <= 31; ++day)
            history.work(local(2026, 3, day, 0, 15), local(2026, 3, day, 0, 40), day * 60);
        // Just after midnight: six times 24 hours back would land on the 28th twice and skip the 29th.
        history.at(local(2026, 3, 31, 0, 30));
        QCOMPARE(history.weeklyDates(), consecutiveDays(QDate(2026, 3, 31)));
        QList<double> expected;
        for (int day = 25; day <= 31; ++day)
            expected.append(day * 60 / 3600.0);
        QCOMPARE(history.weeklyHours(), expected);

        // A time of day that does not exist on the 29th still names the 29th.
        history.at(local(2026, 4, 1, 2, 30));
        QCOMPARE(history.weeklyDates(), consecutiveDays(QDate(2026, 4, 1)));
    }
};

int main(int argc, char *argv[])
{
    qputenv("TZ", "Europe/Berlin");
    tzset();
    QCoreApplication application(argc, argv);
    StatisticsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_statistics.moc"
