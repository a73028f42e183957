#include "activity/PresenceLogger.h"
#include "support/FakePlatform.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <ctime>

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace

class PresenceLoggerTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // A zone away from UTC (UTC+5:30, no daylight saving), so that a timestamp written
        // in UTC instead of local time shows.
        qputenv("TZ", "IST-05:30");
        tzset();
    }

    void firstCallCreatesTheFileWithOneLine()
    {
        FakePlatform fake;
        const QString folder = fake.locations.dataFolder();
        QVERIFY(!QDir(fake.locations.documentsFolder()).exists());

        PresenceLogger logger(fake.platform());
        QVERIFY(QDir(folder).exists());
        QCOMPARE(logger.logFilePath(), QDir(folder).filePath(QStringLiteral("presence_log.txt")));
        QVERIFY(!QFile::exists(logger.logFilePath()));

        logger.logPresence(true);
        QCOMPARE(readFile(logger.logFilePath()), QByteArray("2026-03-14 14:30:00 | PRESENT\n"));
    }

    void exactLineForAwayAt0905LocalTime()
    {
        FakePlatform fake;
        fake.mainLoop.setNow(
            Instant::fromDateTime(QDateTime::fromString(QStringLiteral("2026-03-14T03:35:00Z"), Qt::ISODate)));
        PresenceLogger logger(fake.platform());
        logger.logPresence(false);
        QCOMPARE(readFile(logger.logFilePath()), QByteArray("2026-03-14 09:05:00 | AWAY\n"));
    }

    void appendsAfterTheLastByteOfExistingContent()
    {
        FakePlatform fake;
        PresenceLogger logger(fake.platform());
        const QByteArray existing("2026-03-13 18:00:00 | AWAY\nhand-written note without line feed");
        QVERIFY(writeFile(logger.logFilePath(), existing));

        logger.logPresence(true);
        fake.mainLoop.advance(61.4);
        logger.logPresence(false);
        QCOMPARE(readFile(logger.logFilePath()),
                 existing + "2026-03-14 14:30:00 | PRESENT\n2026-03-14 14:31:01 | AWAY\n");
    }

    // Nothing holds the file between lines: a line goes to whatever file is at the path then.
    void eachLineOpensTheFileAnew()
    {
        FakePlatform fake;
        PresenceLogger logger(fake.platform());
        logger.logPresence(true);
        const QString moved = logger.logFilePath() + QStringLiteral(".old");
        QVERIFY(QFile::rename(logger.logFilePath(), moved));
        logger.logPresence(false);
        QCOMPARE(readFile(moved), QByteArray("2026-03-14 14:30:00 | PRESENT\n"));
        QCOMPARE(readFile(logger.logFilePath()), QByteArray("2026-03-14 14:30:00 | AWAY\n"));
    }

    // Root may write into read-only folders, so unwritable places are made from paths that
    // cannot be files or folders at all.
    void unwritableFolderIsSilent()
    {
        FakePlatform fake;
        // The Documents "folder" is a file: the data folder cannot be created under it.
        QVERIFY(writeFile(fake.locations.documentsFolder(), "not a folder"));
        PresenceLogger logger(fake.platform());
        logger.logPresence(true);
        QVERIFY(!QFile::exists(logger.logFilePath()));
        QCOMPARE(readFile(fake.locations.documentsFolder()), QByteArray("not a folder"));
    }

    void unopenableFileIsSilent()
    {
        FakePlatform fake;
        PresenceLogger logger(fake.platform());
        QVERIFY(QDir().mkpath(logger.logFilePath())); // a folder stands where the file should be
        logger.logPresence(false);
        QVERIFY(QFileInfo(logger.logFilePath()).isDir());
        QVERIFY(QDir(logger.logFilePath()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(PresenceLoggerTest)
#include "tst_presencelogger.moc"
