#include "activity/ActivityMonitor.h"
#include "activity/PresenceLogger.h"
#include "settings/UserSettings.h"
#include "support/FakePlatform.h"
#include "support/TestFiles.h"

#include <QSignalSpy>
#include <QTest>

#include <ctime>

namespace {

struct Fixture {
    FakePlatform fake;
    UserSettings settings{fake.platform()};
    std::unique_ptr<ActivityMonitor> monitor = std::make_unique<ActivityMonitor>(fake.platform(), settings);

    QStringList presenceLines() const
    {
        return QString::fromUtf8(readFile(fake.locations.dataFile(QStringLiteral("presence_log.txt"))))
            .split(u'\n', Qt::SkipEmptyParts);
    }
    QString line(Instant at, const char *word) const
    {
        return at.toDateTime().toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QStringLiteral(" | ") +
               QLatin1String(word);
    }
    void input()
    {
        fake.input.simulateInput();
        fake.mainLoop.runPending();
    }
};

const QString kGrantedLine = QStringLiteral("ActivityMonitor: permission granted, starting monitoring");

} // namespace

class ActivityMonitorTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // A zone away from UTC (UTC+5:30, no daylight saving), so that a presence line
        // written in UTC instead of local time shows.
        qputenv("TZ", "IST-05:30");
        tzset();
    }

    // The user turns away at the first one-second tick at or after the threshold, never before.
    void awayAtFirstTickAtOrAfterThreshold_data()
    {
        QTest::addColumn<int>("threshold");
        QTest::newRow("30 s") << 30;
        QTest::newRow("31 s") << 31;
    }
    void awayAtFirstTickAtOrAfterThreshold()
    {
        QFETCH(int, threshold);
        Fixture f;
        f.settings.setIdleTimeout(threshold);
        const Instant start = f.fake.mainLoop.now();
        f.monitor->requestPermission();
        QVERIFY(f.fake.log.lines.contains("ActivityMonitor: requestPermission called, trusted=true"));
        QVERIFY(f.fake.desktop.alerts.isEmpty());

        f.fake.mainLoop.advance(threshold - 0.001);
        QVERIFY(f.monitor->isPresent());
        f.fake.mainLoop.advance(0.001);
        QVERIFY(!f.monitor->isPresent());
        QCOMPARE(f.presenceLines(),
                 (QStringList{f.line(start, "PRESENT"), f.line(start.addSeconds(threshold), "AWAY")}));
        f.input();
        QVERIFY(f.monitor->isPresent());
        QCOMPARE(f.presenceLines().size(), 3);
    }

    void breakModeUsesFiveSecondsWhateverIdleTimeout()
    {
        Fixture f;
        f.settings.setIdleTimeout(600);
        f.monitor->requestPermission();
        f.monitor->setBreakMode(true);
        QCOMPARE(f.fake.log.lines.last(), QStringLiteral("ActivityMonitor: breakMode=true"));
        f.fake.mainLoop.advance(4);
        QVERIFY(f.monitor->isPresent());
        f.fake.mainLoop.advance(1);
        QVERIFY(!f.monitor->isPresent());

        f.input();
        f.monitor->setBreakMode(false);
        f.fake.mainLoop.advance(60);
        QVERIFY(f.monitor->isPresent());
        // A changed setting takes effect within a second.
        f.settings.setIdleTimeout(10);
        f.fake.mainLoop.advance(1);
        QVERIFY(!f.monitor->isPresent());
    }

    // A burst of input before the queued work runs records once, at the time it runs.
    void burstOfInputQueuesOneRecord()
    {
        Fixture f;
        f.monitor->requestPermission();
        f.fake.mainLoop.advance(3);
        QSignalSpy lastActivity(f.monitor.get(), &ActivityMonitor::lastActivityTimeChanged);
        for (int i = 0; i < 100; ++i)
            f.fake.input.simulateInput();
        QCOMPARE(f.fake.mainLoop.pendingWorkCount(), 1);
        f.fake.mainLoop.runPending();
        QCOMPARE(f.monitor->lastActivityTime(), f.fake.mainLoop.now());
        QCOMPARE(lastActivity.count(), 1);
        QCOMPARE(f.presenceLines().size(), 1);
    }

    void pausedChangesNoPresence()
    {
        Fixture f;
        f.monitor->requestPermission();
        f.monitor->setPaused(true);
        f.fake.mainLoop.advance(120);
        QVERIFY(f.monitor->isPresent());
        f.monitor->setPaused(false);
        f.fake.mainLoop.advance(1);
        QVERIFY(!f.monitor->isPresent());
    }

    void deniedThenGrantedStartsMonitoringWithinOneTick()
    {
        Fixture f;
        f.fake.input.trusted = false;
        f.monitor->requestPermission();
        QCOMPARE(f.fake.input.prompts, 1);
        QCOMPARE(f.fake.desktop.alerts.size(), 1);
        // What the session lacks, not a permission Linux does not have.
        QCOMPARE(f.fake.desktop.alerts[0].messageText, f.fake.input.missingAccessTitle());
        QCOMPARE(f.fake.desktop.alerts[0].buttons, QStringList{"OK"});

        f.fake.mainLoop.advance(5.5);
        QVERIFY(!f.monitor->permissionGranted());
        QCOMPARE(f.fake.input.tapsCreated, 0);
        f.fake.input.trusted = true;
        f.fake.mainLoop.advance(0.5);
        QCOMPARE(f.fake.log.lines.last(), kGrantedLine);
        QVERIFY(f.monitor->permissionGranted());
        QVERIFY(f.monitor->isPresent());
        QCOMPARE(f.fake.input.tapsCreated, 1);
        QCOMPARE(f.fake.mainLoop.activeTimerCount(), 1); // only the idle check is left
    }

    void failedTapIsLoggedAndTheUserStaysAway()
    {
        Fixture f;
        f.fake.input.tapCreationFails = true;
        f.monitor->requestPermission();
        QCOMPARE(f.fake.log.lines.last(), QStringLiteral("ActivityMonitor: Failed to create event tap"));
        QVERIFY(!f.monitor->isPresent());
        QVERIFY(f.presenceLines().isEmpty());
    }

    // Timers and queued work hold the monitor weakly: once it is gone they do nothing.
    void destroyedMonitorLeavesNothingRunning()
    {
        Fixture f;
        f.fake.input.trusted = false;
        f.monitor->requestPermission();
        f.fake.input.trusted = true;
        f.monitor->startEventTap();
        f.monitor->startIdleCheckTimer();
        f.fake.input.simulateInput();
        f.monitor.reset();
        QCOMPARE(f.fake.mainLoop.activeTimerCount(), 0);
        QCOMPARE(f.fake.input.activeTap, nullptr);
        f.fake.mainLoop.advance(5);
        QVERIFY(!f.fake.log.lines.contains(kGrantedLine));
    }

    void presenceLinesAppendAfterTheLastByteOfExistingContent()
    {
        FakePlatform fake;
        PresenceLogger logger(fake.platform());
        const QByteArray existing("2026-03-13 18:00:00 | AWAY\nhand-written note without line feed");
        writeFile(logger.logFilePath(), existing);
        logger.logPresence(true);
        fake.mainLoop.advance(61.4);
        logger.logPresence(false);
        QCOMPARE(readFile(logger.logFilePath()),
                 existing + "2026-03-14 14:30:00 | PRESENT\n2026-03-14 14:31:01 | AWAY\n");
    }

    // Root may write into read-only folders: the Documents "folder" is a file instead, so the
    // data folder cannot be created under it.
    void anUnwritableFolderLeavesPresenceUnlogged()
    {
        FakePlatform fake;
        writeFile(fake.locations.documentsFolder(), "not a folder");
        PresenceLogger(fake.platform()).logPresence(true);
        QCOMPARE(readFile(fake.locations.documentsFolder()), QByteArray("not a folder"));
        QVERIFY(!QFile::exists(fake.locations.dataFile(QStringLiteral("presence_log.txt"))));
    }
};

QTEST_GUILESS_MAIN(ActivityMonitorTest)
#include "tst_activitymonitor.moc"
