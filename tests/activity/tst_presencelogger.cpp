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

    void firstCallCreatesTheFileWithOneLocalTimeLine()
    {
        FakePlatform fake;
        PresenceLogger logger(fake.platform());
        QVERIFY(!QFile::exists(logger.logFilePath()));

        logger.logPresence(true);
        QCOMPARE(readFile(logger.logFilePath()), QByteArray("2026-03-14 14:30:00 | PRESENT\n"));
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
};

QTEST_GUILESS_MAIN(PresenceLoggerTest)
#include "tst_presencelogger.moc"
