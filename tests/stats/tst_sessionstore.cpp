#include "support/FakePlatform.h"
#include "support/TestFiles.h"

#include "stats/StatsManager.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

const QUuid kFirstId = QUuid::fromString(QStringLiteral("6F9619FF-8B86-D011-B42D-00C04FC964FF"));

QString sessionsPath(FakePlatform &fake) { return fake.locations.dataFile(QStringLiteral("sessions.json")); }

// Files other than sessions.json in the data folder.
QStringList keptFiles(FakePlatform &fake)
{
    return QDir(fake.locations.dataFolder()).entryList({QStringLiteral("sessions.json.*")}, QDir::AllEntries);
}

const QByteArray kGoodRecord =
    R"({"id":"6F9619FF-8B86-D011-B42D-00C04FC964FF","startTime":1.5,"endTime":2.5,"durationSeconds":1,"type":"work","completed":true})";

} // namespace

class SessionStoreTest : public QObject {
    Q_OBJECT

private slots:
    void writesCompactRecordsInKeyOrder();
    void roundTripKeepsEveryValueExactly();
    void unreadableFileIsKeptAsideAndHistoryStartsEmpty_data();
    void unreadableFileIsKeptAsideAndHistoryStartsEmpty();
    void keptFileNeverReplacesAnEarlierOne();
    void failedSaveLeavesFileAndMemoryAsTheyWere();
};

void SessionStoreTest::writesCompactRecordsInKeyOrder()
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

void SessionStoreTest::roundTripKeepsEveryValueExactly()
{
    FakePlatform fake;
    QList<Session> written;
    {
        StatsManager stats(fake.platform());
        // Fractions that have no short decimal form, a title beyond ASCII, a negative and a huge count.
        written = {
            Session::make(Instant::fromReferenceSeconds(0.1 + 0.2), Instant::fromReferenceSeconds(795081600.123456789),
                          -5, SessionType::work, false, QStringLiteral("Übersicht prüfen ✓")),
            Session::make(Instant::fromReferenceSeconds(-3.0e-7), Instant::fromReferenceSeconds(1.0e300),
                          9'007'199'254'740'993, SessionType::breakSession, true),
            Session::make(Instant::fromReferenceSeconds(795081600), Instant::fromReferenceSeconds(795081601), 1,
                          SessionType::work, true, QString()),
        };
        for (const Session &session : written)
            stats.appendSession(session);
    }
    StatsManager reloaded(fake.platform());
    QCOMPARE(reloaded.sessions(), written);
    // An empty title is a title, not an absent one.
    QVERIFY(reloaded.sessions()[2].taskTitle.has_value());
}

void SessionStoreTest::unreadableFileIsKeptAsideAndHistoryStartsEmpty_data()
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

void SessionStoreTest::unreadableFileIsKeptAsideAndHistoryStartsEmpty()
{
    QFETCH(QByteArray, bytes);
    FakePlatform fake;
    fake.mainLoop.setNow(Instant::fromDateTime(QDateTime(QDate(2026, 12, 6), QTime(9, 15), Qt::LocalTime)));
    writeFile(sessionsPath(fake), bytes);

    StatsManager stats(fake.platform());
    QVERIFY(stats.sessions().isEmpty());
    QCOMPARE(keptFiles(fake), QStringList{QStringLiteral("sessions.json.unreadable-20261206-091500")});
    QCOMPARE(fake.log.lines,
             QStringList{QStringLiteral("StatsManager: sessions.json could not be read; kept it as "
                                        "sessions.json.unreadable-20261206-091500 and started with an empty list")});

    // The next save writes the new history and leaves the kept bytes alone.
    const Session next = Session::make(Instant::fromReferenceSeconds(100), Instant::fromReferenceSeconds(200), 60,
                                       SessionType::work, true);
    stats.appendSession(next);
    StatsManager reloaded(fake.platform());
    QCOMPARE(reloaded.sessions(), QList<Session>{next});
    QCOMPARE(readFile(QDir(fake.locations.dataFolder()).filePath(keptFiles(fake).first())), bytes);
}

void SessionStoreTest::keptFileNeverReplacesAnEarlierOne()
{
    FakePlatform fake;
    fake.mainLoop.setNow(Instant::fromDateTime(QDateTime(QDate(2026, 12, 6), QTime(9, 15), Qt::LocalTime)));
    writeFile(sessionsPath(fake), "first");
    StatsManager first(fake.platform());
    writeFile(sessionsPath(fake), "second");
    StatsManager second(fake.platform());
    const QString kept = sessionsPath(fake) + QStringLiteral(".unreadable-20261206-091500");
    QCOMPARE(readFile(kept), QByteArray("first"));
    QCOMPARE(readFile(kept + QStringLiteral("-2")), QByteArray("second"));
}

void SessionStoreTest::failedSaveLeavesFileAndMemoryAsTheyWere()
{
    FakePlatform fake;
    const QByteArray original = "[" + kGoodRecord + "]";
    writeFile(sessionsPath(fake), original);
    StatsManager stats(fake.platform());
    const Session appended = Session::make(Instant::fromReferenceSeconds(10), Instant::fromReferenceSeconds(20), 5,
                                           SessionType::work, true, QStringLiteral("A title long enough"));
    {
        // A limit on file size stops the write even for root, who may write to read-only folders.
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = static_cast<rlim_t>(original.size() + 8);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        stats.appendSession(appended);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
    }
    QCOMPARE(readFile(sessionsPath(fake)), original);
    QCOMPARE(QDir(fake.locations.dataFolder()).entryList(QDir::Files), QStringList{QStringLiteral("sessions.json")});
    QCOMPARE(stats.sessions().size(), 2);
    QVERIFY(fake.log.lines.isEmpty());

    // The record kept in memory reaches the file with the next save that succeeds.
    stats.saveSessions();
    QCOMPARE(StatsManager(fake.platform()).sessions(), stats.sessions());
}

QTEST_GUILESS_MAIN(SessionStoreTest)
#include "tst_sessionstore.moc"
