#include "activity/ActivityMonitor.h"
#include "settings/UserSettings.h"
#include "support/FakePlatform.h"

#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

namespace {

struct Fixture {
    FakePlatform fake;
    UserSettings settings{fake.platform()};
    std::unique_ptr<ActivityMonitor> monitor = std::make_unique<ActivityMonitor>(fake.platform(), settings);

    QStringList presenceLines() const
    {
        QFile file(fake.locations.dataFile(QStringLiteral("presence_log.txt")));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
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
    // The monitor's own log lines, without the settings store's diagnostics.
    QStringList monitorLines() const
    {
        return fake.log.lines.filter(QRegularExpression(QStringLiteral("^ActivityMonitor: ")));
    }
    int count(const QString &logLine) const { return static_cast<int>(fake.log.lines.count(logLine)); }
};

const QString kGrantedLine = QStringLiteral("ActivityMonitor: permission granted, starting monitoring");

} // namespace

class ActivityMonitorTest : public QObject {
    Q_OBJECT

private slots:
    void grantedAtStartMonitorsAtOnce()
    {
        Fixture f;
        QSignalSpy presence(f.monitor.get(), &ActivityMonitor::isPresentChanged);
        f.monitor->requestPermission();
        QCOMPARE(f.monitorLines(),
                 QStringList{QStringLiteral("ActivityMonitor: requestPermission called, trusted=true")});
        QVERIFY(f.monitor->permissionGranted());
        QVERIFY(f.monitor->isPresent());
        QCOMPARE(presence.count(), 1);
        QCOMPARE(f.presenceLines(), QStringList{f.line(f.fake.mainLoop.now(), "PRESENT")});
        QVERIFY(f.monitor->hasIdleCheckTimer());
        QVERIFY(f.fake.desktop.alerts.isEmpty());
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

        f.fake.mainLoop.advance(threshold - 1);
        QVERIFY(f.monitor->isPresent());
        f.fake.mainLoop.advance(0.999);
        QVERIFY(f.monitor->isPresent());
        f.fake.mainLoop.advance(0.001);
        QVERIFY(!f.monitor->isPresent());
        QCOMPARE(f.presenceLines(),
                 (QStringList{f.line(start, "PRESENT"), f.line(start.addSeconds(threshold), "AWAY")}));
        f.input();
        QVERIFY(f.monitor->isPresent());
        QCOMPARE(f.presenceLines().last(), f.line(f.fake.mainLoop.now(), "PRESENT"));
    }

    void inputBetweenTicksNeedsTheFullThreshold()
    {
        Fixture f;
        f.monitor->requestPermission();
        f.fake.mainLoop.advance(0.5);
        f.input();
        f.fake.mainLoop.advance(29.5); // the tick at 30 s sees only 29.5 s without input
        QVERIFY(f.monitor->isPresent());
        f.fake.mainLoop.advance(1);
        QVERIFY(!f.monitor->isPresent());
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

        // Leaving break mode restores the setting's threshold; the line is logged on every call.
        f.input();
        f.monitor->setBreakMode(false);
        f.monitor->setBreakMode(false);
        QCOMPARE(f.count(QStringLiteral("ActivityMonitor: breakMode=false")), 2);
        f.fake.mainLoop.advance(60);
        QVERIFY(f.monitor->isPresent());
    }

    void changedIdleTimeoutTakesEffectWithinASecond()
    {
        Fixture f;
        f.settings.setIdleTimeout(300);
        f.monitor->requestPermission();
        f.fake.mainLoop.advance(20);
        f.settings.setIdleTimeout(10);
        QVERIFY(f.monitor->isPresent());
        f.fake.mainLoop.advance(1);
        QVERIFY(!f.monitor->isPresent());
        QCOMPARE(f.monitor->idleThresholdSeconds(), 10);
    }

    void inputWhilePresentOnlyMovesLastActivityTime()
    {
        Fixture f;
        f.monitor->requestPermission();
        f.fake.mainLoop.advance(10);
        const QStringList logBefore = f.fake.log.lines;
        const QStringList presenceBefore = f.presenceLines();
        QSignalSpy presence(f.monitor.get(), &ActivityMonitor::isPresentChanged);
        QSignalSpy lastActivity(f.monitor.get(), &ActivityMonitor::lastActivityTimeChanged);

        f.input();
        QCOMPARE(f.monitor->lastActivityTime(), f.fake.mainLoop.now());
        QCOMPARE(f.monitor->property("lastActivityTime").value<Instant>(), f.fake.mainLoop.now());
        QCOMPARE(lastActivity.count(), 1);
        QCOMPARE(presence.count(), 0);
        QCOMPARE(f.fake.log.lines, logBefore);
        QCOMPARE(f.presenceLines(), presenceBefore);
    }

    // A burst of input before the queued work runs records once, at the time it runs.
    void burstOfInputQueuesOneRecord()
    {
        Fixture f;
        f.monitor->requestPermission();
        f.fake.mainLoop.advance(3);
        for (int i = 0; i < 100; ++i)
            f.fake.input.simulateInput();
        QCOMPARE(f.fake.mainLoop.pendingWorkCount(), 1);
        f.fake.mainLoop.runPending();
        QCOMPARE(f.monitor->lastActivityTime(), f.fake.mainLoop.now());
        f.fake.input.simulateInput();
        QCOMPARE(f.fake.mainLoop.pendingWorkCount(), 1);
    }

    void startEventTapTwiceKeepsOneTapAndRecordsOnceStopRemovesIt()
    {
        Fixture f;
        f.monitor->startEventTap();
        const Instant first = f.monitor->lastActivityTime();
        f.fake.mainLoop.advance(5);
        QSignalSpy lastActivity(f.monitor.get(), &ActivityMonitor::lastActivityTimeChanged);
        f.monitor->startEventTap();
        QCOMPARE(f.fake.input.tapsCreated, 1);
        QCOMPARE(lastActivity.count(), 0);
        QCOMPARE(f.monitor->lastActivityTime(), first);
        QCOMPARE(f.presenceLines().size(), 1);

        f.monitor->stopEventTap();
        f.monitor->stopEventTap();
        QVERIFY(!f.monitor->hasEventTap());
        QCOMPARE(f.fake.input.activeTap, nullptr);
        f.monitor->startEventTap();
        QCOMPARE(f.fake.input.tapsCreated, 2);
    }

    void pausedChangesNoPresenceAndWritesNoLine()
    {
        Fixture f;
        f.monitor->requestPermission();
        f.monitor->setPaused(true);
        QSignalSpy presence(f.monitor.get(), &ActivityMonitor::isPresentChanged);
        f.fake.mainLoop.advance(120);
        QVERIFY(f.monitor->isPresent());
        QCOMPARE(presence.count(), 0);
        QCOMPARE(f.presenceLines().size(), 1);

        // Pausing as the wiring does it: the timer is invalidated and cleared, the tap removed.
        f.monitor->invalidateIdleCheckTimer();
        f.monitor->stopEventTap();
        QVERIFY(!f.monitor->hasIdleCheckTimer());
        QCOMPARE(f.fake.mainLoop.activeTimerCount(), 0);

        f.monitor->setPaused(false);
        f.fake.mainLoop.advance(1);
        QVERIFY(f.monitor->isPresent());
        f.monitor->startIdleCheckTimer();
        f.fake.mainLoop.advance(1);
        QVERIFY(!f.monitor->isPresent()); // 122 s without input once the check runs again
    }

    void deniedThenGrantedStartsMonitoringWithinOneTick()
    {
        Fixture f;
        f.fake.input.trusted = false;
        f.monitor->requestPermission();
        QCOMPARE(f.monitorLines(),
                 (QStringList{QStringLiteral("ActivityMonitor: requestPermission called, trusted=false"),
                              QStringLiteral("ActivityMonitor: prompting for accessibility permission")}));
        QCOMPARE(f.fake.input.prompts, 1);
        QCOMPARE(f.fake.desktop.alerts.size(), 1);
        const AlertRequest &alert = f.fake.desktop.alerts.first();
        QCOMPARE(alert.messageText, QStringLiteral("Accessibility Access Required"));
        QVERIFY(alert.informativeText.startsWith(
            QStringLiteral("Pelmix needs Accessibility access to monitor keyboard/mouse activity.\n\n")));
        QVERIFY(alert.informativeText.contains(QStringLiteral("X11")));
        QCOMPARE(alert.buttons, QStringList{QStringLiteral("Later")});
        QVERIFY(alert.warningStyle);
        QVERIFY(f.fake.desktop.openedUrls.isEmpty());

        f.fake.mainLoop.advance(5);
        QVERIFY(!f.monitor->permissionGranted());
        QVERIFY(!f.monitor->isPresent());
        QCOMPARE(f.fake.input.tapsCreated, 0);
        QCOMPARE(f.monitor->permissionPollCount(), 1);

        f.fake.mainLoop.advance(0.5);
        f.fake.input.trusted = true;
        QSignalSpy granted(f.monitor.get(), &ActivityMonitor::permissionGrantedChanged);
        f.fake.mainLoop.advance(0.5);
        QCOMPARE(f.fake.log.lines.last(), kGrantedLine);
        QVERIFY(f.monitor->permissionGranted());
        QCOMPARE(granted.count(), 1);
        QVERIFY(f.monitor->isPresent());
        QCOMPARE(f.fake.input.tapsCreated, 1);
        QCOMPARE(f.monitor->permissionPollCount(), 0);
        QCOMPARE(f.fake.mainLoop.activeTimerCount(), 1); // only the idle check is left

        f.fake.mainLoop.advance(10);
        QCOMPARE(f.count(kGrantedLine), 1);
    }

    void requestPermissionTwiceWhileDeniedStartsTwoPolls()
    {
        Fixture f;
        f.fake.input.trusted = false;
        f.monitor->requestPermission();
        f.fake.mainLoop.advance(0.5);
        f.monitor->requestPermission();
        QCOMPARE(f.fake.desktop.alerts.size(), 2);
        QCOMPARE(f.fake.input.prompts, 2);
        QCOMPARE(f.monitor->permissionPollCount(), 2);
        QCOMPARE(f.fake.mainLoop.activeTimerCount(), 2);

        f.fake.mainLoop.advance(3);
        f.fake.input.trusted = true;
        f.fake.mainLoop.advance(1);
        QCOMPARE(f.count(kGrantedLine), 2);
        QCOMPARE(f.fake.input.tapsCreated, 1);
        QCOMPARE(f.presenceLines().size(), 1);
        QCOMPARE(f.monitor->permissionPollCount(), 0);
        QCOMPARE(f.fake.mainLoop.activeTimerCount(), 1);
    }

    void requestPermissionAgainWhileGrantedKeepsTheTap()
    {
        Fixture f;
        f.monitor->requestPermission();
        f.fake.mainLoop.advance(20.5);
        const Instant last = f.monitor->lastActivityTime();
        f.monitor->requestPermission();
        QCOMPARE(f.count(QStringLiteral("ActivityMonitor: requestPermission called, trusted=true")), 2);
        QCOMPARE(f.fake.input.tapsCreated, 1);
        QCOMPARE(f.monitor->lastActivityTime(), last);
        QCOMPARE(f.fake.mainLoop.activeTimerCount(), 1);
        // The restarted timer ticks at 21.5 s, ..., 30.5 s: away at 30.5 s, not at 30 s.
        f.fake.mainLoop.advance(9.5);
        QVERIFY(f.monitor->isPresent());
        f.fake.mainLoop.advance(0.5);
        QVERIFY(!f.monitor->isPresent());
    }

    void failedTapIsLoggedAndTheUserStaysAway()
    {
        Fixture f;
        f.fake.input.tapCreationFails = true;
        f.monitor->requestPermission();
        QCOMPARE(f.fake.log.lines.last(), QStringLiteral("ActivityMonitor: Failed to create event tap"));
        QVERIFY(!f.monitor->hasEventTap());
        QVERIFY(!f.monitor->isPresent());
        QVERIFY(f.monitor->hasIdleCheckTimer());
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
        f.fake.mainLoop.advance(0.5);
        f.fake.input.simulateInput();
        QCOMPARE(f.fake.mainLoop.pendingWorkCount(), 1);
        f.monitor.reset();
        QCOMPARE(f.fake.mainLoop.activeTimerCount(), 0);
        QCOMPARE(f.fake.input.activeTap, nullptr);
        f.fake.mainLoop.advance(5);
        QCOMPARE(f.count(kGrantedLine), 0);
    }
};

QTEST_GUILESS_MAIN(ActivityMonitorTest)
#include "tst_activitymonitor.moc"
