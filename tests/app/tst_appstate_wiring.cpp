#include "activity/ActivityMonitor.h"
#include "app/AppDelegate.h"
#include "app/AppState.h"
#include "support/FakeApp.h"
#include "timer/WorkTimer.h"

#include <QSignalSpy>
#include <QTest>

namespace {
struct Fixture : FakeApp {
    using FakeApp::FakeApp;
    ActivityMonitor &monitor() { return appState.activityMonitor(); }
    WorkTimer &timer() { return appState.workTimer(); }

    QUuid addCurrentTask(const QString &title)
    {
        const QUuid id = addTask(title);
        todos.setStatus(id, TodoStatus::inProgress);
        appState.syncTaskTracking();
        return id;
    }
};
} // namespace

class AppStateWiringTest : public QObject {
    Q_OBJECT
private slots:
    void startAppliesTheIdleTimeoutAndASecondStartKeepsTheTap()
    {
        Fixture f;
        f.settings.setIdleTimeout(90);
        f.appState.start();
        QVERIFY(f.fake.log.lines.contains("ActivityMonitor: observing activity through fake input"));
        QVERIFY(f.monitor().isPresent());
        QCOMPARE(f.monitor().idleThresholdSeconds(), 90);
        // The second start, when the onboarding completes, keeps the tap.
        f.appState.start();
        QCOMPARE(f.fake.input.tapsCreated, 1);
    }

    void presenceDrivesTheTimerAndTheFocusClock()
    {
        Fixture f;
        f.addCurrentTask("Write report");
        f.startPresent();
        QVERIFY(f.monitor().isPresent());
        QVERIFY(f.timer().isPresent());
        QVERIFY(f.todos.isTracking());

        f.work(180);
        QCOMPARE(f.timer().workSeconds(), 180);
        QCOMPARE(f.todos.currentSessionSeconds(), 180);

        // Away: the monitor notices after 30 idle seconds; timer and focus clock stop.
        f.fake.mainLoop.advance(600);
        QVERIFY(!f.monitor().isPresent());
        QVERIFY(!f.todos.isTracking());
        const qint64 worked = f.timer().workSeconds();
        QVERIFY(worked >= 180 && worked <= 211);

        f.work(120);
        QVERIFY(f.todos.isTracking());
        f.todos.pauseTracking();
        // 3 minutes, the idle threshold spent at the desk without input, then 2 minutes.
        QVERIFY(f.todos.currentSessionSeconds() >= 300 && f.todos.currentSessionSeconds() <= 332);
    }

    void aDueBreakPutsTheMonitorInBreakModeAndPausesFocus()
    {
        Fixture f([](QSettings &p) { p.setValue("workDuration", 0); });
        f.addCurrentTask("Write report");
        f.appState.start();
        f.work(10);
        QCOMPARE(f.timer().state(), TimerState::breakWaiting);
        QVERIFY(f.fake.log.lines.contains("ActivityMonitor: breakMode=true"));
        QVERIFY(!f.todos.isTracking());
        QVERIFY(f.monitor().isPresent());

        // Five idle seconds are enough in break mode.
        f.fake.mainLoop.advance(6);
        QVERIFY(!f.monitor().isPresent());
        QCOMPARE(f.timer().state(), TimerState::breakActive);
        f.fake.mainLoop.advance(300);
        QCOMPARE(f.timer().state(), TimerState::working);
        QVERIFY(f.fake.log.lines.contains("ActivityMonitor: breakMode=false"));

        f.work(2);
        QVERIFY(f.todos.isTracking());
    }

    void aBurstOfSettingChangesSyncsOnceAfterTheLast()
    {
        Fixture f;
        QSignalSpy syncs(&f.timer(), &WorkTimer::breakIntervalSecondsChanged);
        f.settings.setWorkDuration(1);
        f.fake.mainLoop.advance(0.02);
        f.settings.setWorkDuration(2);
        f.fake.mainLoop.advance(0.03);
        f.settings.setWorkDuration(3);
        f.settings.setIdleTimeout(45);
        f.fake.mainLoop.advance(0.099);
        QCOMPARE(syncs.count(), 0);
        QCOMPARE(f.timer().breakIntervalSeconds(), 1500);
        f.fake.mainLoop.advance(0.002);
        QCOMPARE(syncs.count(), 1);
        QCOMPARE(f.timer().breakIntervalSeconds(), 180);
        QCOMPARE(f.monitor().idleThresholdSeconds(), 45);
    }

    void theCountersUpdateDoesNotShortenALongBreak()
    {
        Fixture f([](QSettings &p) {
            p.setValue("completedSessionsToday", 3);
            p.setValue("lastSessionDate", 1'773'478'800.0);
        });
        f.appState.start();
        f.work(1500);
        QCOMPARE(f.timer().currentBreakType(), BreakType::longBreak);
        f.fake.mainLoop.advance(1); // the sync the counter's change scheduled has run
        QCOMPARE(f.timer().breakDurationSeconds(), 900);
        f.fake.mainLoop.advance(900);
        QCOMPARE(f.timer().breakSeconds(), 897); // the break counts from the first idle check 5 s after the last key
        f.fake.mainLoop.advance(10);
        QCOMPARE(f.stats.sessions().last().durationSeconds, 900);
    }

    void aNewWorkSessionAsksForTheFocusSection()
    {
        Fixture f;
        f.startPresent();
        QCOMPARE(f.appState.selectedSection(), std::optional(AppSection::focus));
        QVERIFY(f.appState.showMainWindow());
        QCOMPARE(f.fake.desktop.activations, 1);
    }

    void terminationRecordsTheSessionAndCreditsFocusTime()
    {
        Fixture f;
        f.addCurrentTask("Write report");
        f.appState.start();
        f.work(100);
        AppDelegate delegate(f.fake.platform(), f.appState);
        delegate.applicationWillTerminate();
        QCOMPARE(f.stats.sessions().size(), 1);
        QCOMPARE(f.stats.sessions().first().taskTitle, std::optional<QString>("Write report"));
        QVERIFY(!f.stats.sessions().first().completed);
        QVERIFY(f.fake.log.lines.contains("DEBUG: Saved 100s to task 'Write report', total: 100s"));
        QCOMPARE(TodoManager(f.fake.platform()).items().first().totalFocusSeconds, 100);
    }
};

QTEST_GUILESS_MAIN(AppStateWiringTest)
#include "tst_appstate_wiring.moc"
