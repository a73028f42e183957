#include "support/FakePlatform.h"
#include "support/TestFiles.h"

#include "stats/StatsManager.h"

#include <QCoreApplication>
#include <QTest>

#include <csignal>
#include <ctime>
#include <sys/resource.h>

// The history file, and the figures drawn from it. The whole test runs in Berlin's time zone: days that do not start at
// UTC midnight, and a 23-hour day on 2026-03-29 and a 25-hour day on 2026-10-25.
namespace {

Instant local(int year, int month, int day, int hour, int minute, int second = 0)
{
    return Instant::fromDateTime(QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::LocalTime));
}

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
            dates.append(entry.date.toDateTime().toLocalTime().date());
        return dates;
    }

    FakePlatform fake;
    StatsManager stats;
};

const QUuid kFirstId = QUuid::fromString(QStringLiteral("6F9619FF-8B86-D011-B42D-00C04FC964FF"));

QString sessionsPath(FakePlatform &fake) { return fake.locations.dataFile(QStringLiteral("sessions.json")); }

// Files other than sessions.json in the data folder.
QStringList keptFiles(FakePlatform &fake)
{
    return QDir(fake.locations.dataFolder()).entryList({QStringLiteral("sessions.json.*")}, QDir::AllEntries);
}

const QByteArray kGoodRecord =
    R"({"id":"6F9619FF-8B86-D011-B42D-00C04FC964FF","startTime":1.5,"endTime":2.5,"durationSeconds":1,"type":"work","completed":true})";

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
    void writesCompactRecordsInKeyOrder();
    void roundTripKeepsEveryValueExactly();
    void unreadableFileIsKeptAsideAndHistoryStartsEmpty_data();
    void unreadableFileIsKeptAsideAndHistoryStartsEmpty();
    void failedSaveLeavesFileAndMemoryAsTheyWere();
    void savesAddToTheListTheFileHolds_data();
    void savesAddToTheListTheFileHolds();

    void todaysFiguresCountTheSessionsThatStartedToday()
    {
        History history;
        history.at(local(2026, 6, 10, 18, 0));
        // Exactly at midnight is the new day; a moment before it is still the old one.
        history.work(local(2026, 6, 9, 23, 50), local(2026, 6, 10, 0, 20), 1800);
        history.work(local(2026, 6, 10, 0, 0).addSeconds(-0.0001), local(2026, 6, 10, 0, 1), 60);
        history.work(local(2026, 6, 10, 0, 0), local(2026, 6, 10, 0, 30), 900);
        history.work(local(2026, 6, 10, 9, 0), local(2026, 6, 10, 9, 30), 1500);
        history.rest(local(2026, 6, 10, 9, 30), local(2026, 6, 10, 9, 40), 300);
        history.work(local(2026, 6, 10, 10, 0), local(2026, 6, 10, 10, 20), 600, false);
        history.rest(local(2026, 6, 10, 10, 20), local(2026, 6, 10, 10, 22), 120, false);
        history.work(local(2026, 6, 10, 11, 0), local(2026, 6, 10, 13, 0), 2400);
        history.work(local(2026, 6, 9, 11, 0), local(2026, 6, 9, 13, 0), 5400);
        // Written by other tools or by hand: kept, but counted as nothing, and no sum overflows.
        for (const qint64 damaged : {std::numeric_limits<qint64>::max(), std::numeric_limits<qint64>::max(), -3180LL})
            history.work(local(2026, 6, 10, 14, 0), local(2026, 6, 10, 14, 5), damaged, false);

        QCOMPARE(history.stats.todayWorkSessions().size(), 7);
        QCOMPARE(history.stats.todayBreakSessions().size(), 2);
        // The 600 seconds of the session cut short count as work time, not as a completed session.
        QCOMPARE(history.stats.todayWorkSeconds(), 5400);
        QCOMPARE(history.stats.completedWorkSessionsToday(), 3);
        QCOMPARE(history.stats.completedBreaksToday(), 1);
        QCOMPARE(history.stats.totalWorkSeconds(local(2026, 6, 9, 3, 0)), 7260);
        QCOMPARE(history.weeklyHours(), (QList<double>{0, 0, 0, 0, 0, 7260 / 3600.0, 1.5}));

        // The same from the file alone.
        StatsManager reread(history.fake.platform());
        QCOMPARE(reread.todayWorkSessions(), history.stats.todayWorkSessions());
        QCOMPARE(reread.todayWorkSeconds(), 5400);
        QCOMPARE(reread.totalWorkSeconds(local(2026, 6, 9, 3, 0)), 7260);
    }

    void todaysRecordsAreReadAgainWhenTheClockGoesBackWeeks()
    {
        History history;
        history.at(local(2026, 6, 10, 18, 0));
        history.work(local(2026, 6, 10, 9, 0), local(2026, 6, 10, 9, 25), 1500);
        history.at(local(2026, 7, 20, 9, 0));
        StatsManager later(history.fake.platform());
        QVERIFY(later.todaySessions().isEmpty());
        history.at(local(2026, 6, 10, 18, 0));
        QCOMPARE(later.todaySessions(), history.stats.todaySessions());
        QCOMPARE(later.completedWorkSessionsToday(), 1);
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

void StatisticsTest::writesCompactRecordsInKeyOrder()
{
    FakePlatform fake;
    StatsManager stats(fake.platform());
    stats.appendSession(Session{kFirstId, Instant::fromReferenceSeconds(795081600.25),
                                Instant::fromReferenceSeconds(795083100.75), 1500, SessionType::work, true,
                                QStringLiteral("Write \"the\" report\n")});
    stats.appendSession(Session{QUuid::fromString(QStringLiteral("{0f8fad5b-d9cb-469f-a165-70867728950e}")),
                                Instant::fromReferenceSeconds(795083100.0), Instant::fromReferenceSeconds(795083400.0),
                                300, SessionType::breakSession, false, std::nullopt});
    QCOMPARE(readFile(sessionsPath(fake)),
             QByteArray(R"([{"id":"6F9619FF-8B86-D011-B42D-00C04FC964FF","startTime":795081600.25,)"
                        R"("endTime":795083100.75,"durationSeconds":1500,"type":"work","completed":true,)"
                        R"("taskTitle":"Write \"the\" report\n"},)"
                        R"({"id":"0F8FAD5B-D9CB-469F-A165-70867728950E","startTime":795083100,)"
                        R"("endTime":795083400,"durationSeconds":300,"type":"break","completed":false}])"));
}

void StatisticsTest::roundTripKeepsEveryValueExactly()
{
    FakePlatform fake;
    StatsManager stats(fake.platform());
    // Fractions that have no short decimal form, a title beyond ASCII, a negative and a huge count.
    const QList<Session> written = {
        Session::make(Instant::fromReferenceSeconds(0.1 + 0.2), Instant::fromReferenceSeconds(795081600.123456789), -5,
                      SessionType::work, false, QStringLiteral("Übersicht prüfen ✓")),
        Session::make(Instant::fromReferenceSeconds(-3.0e-7), Instant::fromReferenceSeconds(1.0e300),
                      9'007'199'254'740'993, SessionType::breakSession, true),
        Session::make(Instant::fromReferenceSeconds(795081600), Instant::fromReferenceSeconds(795081601), 1,
                      SessionType::work, true, QString()),
    };
    for (const Session &session : written)
        stats.appendSession(session);
    StatsManager reloaded(fake.platform());
    QCOMPARE(reloaded.sessions().value(), written);
    // An empty title is a title, not an absent one.
    QVERIFY(reloaded.sessions().value()[2].taskTitle.has_value());
}

void StatisticsTest::unreadableFileIsKeptAsideAndHistoryStartsEmpty_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = kGoodRecord;
    auto replaced = [&good](const char *from, const char *to) {
        return "[" + good + "," + QByteArray(good).replace(from, to) + "]";
    };
    QTest::newRow("not JSON") << QByteArray("sessions");
    QTest::newRow("truncated") << ("[" + good.left(good.size() - 3));
    QTest::newRow("invalid UTF-8") << replaced("\"work\",", "\"work\",\"taskTitle\":\"caf\xC3\x28\",");
    QTest::newRow("missing completed") << replaced(",\"completed\":true", "");
    QTest::newRow("unknown type") << replaced("\"work\"", "\"rest\"");
    QTest::newRow("UUID not hex") << replaced("6F9619FF-", "6F9619FG-");
}

void StatisticsTest::unreadableFileIsKeptAsideAndHistoryStartsEmpty()
{
    QFETCH(QByteArray, bytes);
    FakePlatform fake;
    fake.mainLoop.setNow(Instant::fromDateTime(QDateTime(QDate(2026, 12, 6), QTime(9, 15), Qt::LocalTime)));
    writeFile(sessionsPath(fake), bytes);

    StatsManager stats(fake.platform());
    QVERIFY(stats.sessions().value().isEmpty());
    QCOMPARE(keptFiles(fake), QStringList{QStringLiteral("sessions.json.unreadable-20261206-091500")});
    QCOMPARE(fake.log.lines,
             QStringList{QStringLiteral("StatsManager: sessions.json could not be read; kept it as "
                                        "sessions.json.unreadable-20261206-091500 and started with an empty list")});

    // The next save writes the new history and leaves the kept bytes alone.
    const Session next = Session::make(Instant::fromReferenceSeconds(100), Instant::fromReferenceSeconds(200), 60,
                                       SessionType::work, true);
    stats.appendSession(next);
    StatsManager reloaded(fake.platform());
    QCOMPARE(reloaded.sessions().value(), QList<Session>{next});
    QCOMPARE(readFile(QDir(fake.locations.dataFolder()).filePath(keptFiles(fake).first())), bytes);

    // Another unreadable file in the same second never replaces the one kept.
    writeFile(sessionsPath(fake), "second");
    StatsManager second(fake.platform());
    QVERIFY(second.sessions().value().isEmpty());
    QCOMPARE(readFile(sessionsPath(fake) + QStringLiteral(".unreadable-20261206-091500-2")), QByteArray("second"));
}

void StatisticsTest::failedSaveLeavesFileAndMemoryAsTheyWere()
{
    FakePlatform fake;
    const QByteArray original = "[" + kGoodRecord + "]";
    writeFile(sessionsPath(fake), original);
    StatsManager stats(fake.platform());
    const Session appended = Session::make(Instant::fromReferenceSeconds(10), Instant::fromReferenceSeconds(20), 5,
                                           SessionType::work, true, QStringLiteral("A title long enough"));
    withFileSizeLimit(original.size() + 8, [&] {
        stats.appendSession(appended);
        stats.appendSession(appended);
    });
    QCOMPARE(readFile(sessionsPath(fake)), original);
    QCOMPARE(QDir(fake.locations.dataFolder()).entryList(QDir::Files), QStringList{QStringLiteral("sessions.json")});
    QCOMPARE(stats.sessions().value().size(), 3);
    // Logged once, with the reason; the history screen says so until a save succeeds.
    QCOMPARE(fake.log.lines, QStringList{"StatsManager: could not save sessions.json (File too large); keeping the "
                                         "changes in memory and trying again every minute"});
    QCOMPARE(stats.dataNotices().size(), 1);
    QCOMPARE(stats.dataNotices().first().title, "Pelmix cannot save your history");

    // The records kept in memory reach the file when it is tried again, a minute later.
    fake.mainLoop.advance(59);
    QCOMPARE(readFile(sessionsPath(fake)), original);
    fake.mainLoop.advance(1);
    QCOMPARE(StatsManager(fake.platform()).sessions().value(), stats.sessions().value());
    QCOMPARE(fake.log.lines.last(), "StatsManager: saved sessions.json again");
    QVERIFY(stats.dataNotices().isEmpty());
}

void StatisticsTest::savesAddToTheListTheFileHolds_data()
{
    QTest::addColumn<QByteArray>("atStart");
    // Written by another program once the history has been read.
    QTest::addColumn<QByteArray>("changedTo");
    QTest::addColumn<int>("theirRecords");
    QTest::addColumn<bool>("setAside");
    const QByteArray good = kGoodRecord;
    QTest::newRow("no file") << QByteArray() << QByteArray() << 0 << false;
    QTest::newRow("empty list, spaced") << QByteArray("[ ]\n") << QByteArray() << 0 << false;
    QTest::newRow("indented") << "[\n  " + good + "\n]\n" << QByteArray() << 1 << false;
    QTest::newRow("changed meanwhile") << "[" + good + "]" << "[" + good + "," + good + "]" << 2 << false;
    QTest::newRow("spoilt meanwhile") << "[" + good + "]" << "[" + good << 0 << true;
}

void StatisticsTest::savesAddToTheListTheFileHolds()
{
    QFETCH(QByteArray, atStart);
    QFETCH(QByteArray, changedTo);
    QFETCH(int, theirRecords);
    QFETCH(bool, setAside);
    FakePlatform fake;
    if (!atStart.isEmpty())
        writeFile(sessionsPath(fake), atStart);
    StatsManager stats(fake.platform());
    QCOMPARE(stats.totalWorkSeconds(Instant::fromReferenceSeconds(1.5)), atStart.count("\"work\""));
    if (!changedTo.isEmpty())
        writeFile(sessionsPath(fake), changedTo);

    const Session next = Session::make(Instant::fromReferenceSeconds(9e8), Instant::fromReferenceSeconds(9e8 + 60), 60,
                                       SessionType::work, true);
    stats.appendSession(next);
    const auto saved = StatsManager(fake.platform()).sessions();
    QVERIFY(saved.has_value());
    QCOMPARE(saved->size(), theirRecords + 1);
    QCOMPARE(saved->last(), next);
    QCOMPARE(stats.totalWorkSeconds(Instant::fromReferenceSeconds(1.5)), theirRecords);
    QCOMPARE(keptFiles(fake).size(), setAside ? 1 : 0);
}

int main(int argc, char *argv[])
{
    qputenv("TZ", "Europe/Berlin");
    tzset();
    QCoreApplication application(argc, argv);
    StatisticsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_statistics.moc"
