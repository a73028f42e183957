#include "activity/ActivityMonitor.h"
#include "app/AppDelegate.h"
#include "app/AppState.h"
#include "support/FakeManagers.h"
#include "timer/WorkTimer.h"

#include <QSignalSpy>
#include <QTest>

using namespace std::chrono_literals;

namespace {

struct Fixture : FakeManagers {
    explicit Fixture(const std::function<void(QSettings &)> &preferences = {}) : FakeManagers(preferences)
    {
        state = std::make_unique<AppState>(fake.platform(), *stats, *todos, *settings, *notifications);
    }

    ActivityMonitor &monitor() { return state->activityMonitor(); }
    WorkTimer &timer() { return state->workTimer(); }

    // Keeps the user typing for `seconds`, one key a second.
    void typeFor(int seconds)
    {
        for (int i = 0; i < seconds; ++i) {
            fake.input.simulateInput();
            fake.mainLoop.advance(1);
        }
    }

    QUuid addCurrentTask(const QString &title)
    {
        todos->addTask(title);
        const QUuid id = todos->items().last().id;
        todos->setStatus(id, TodoStatus::inProgress);
        state->syncTaskTracking();
        return id;
    }

    std::unique_ptr<AppState> state;
};

} // namespace

class AppStateWiringTest : public QObject {
    Q_OBJECT
private slots:
    void presenceDrivesTheTimerAndTheFocusClock()
    {
        Fixture f;
        f.addCurrentTask("Write report");
        f.state->start();
        f.fake.mainLoop.runPending();
        QVERIFY(f.monitor().isPresent());
        QVERIFY(f.timer().isPresent());
        QVERIFY(f.todos->isTracking());

        f.typeFor(180);
        QCOMPARE(f.timer().workSeconds(), 180);
        QCOMPARE(f.todos->currentSessionSeconds(), 180);

        // Away: the monitor notices after 30 idle seconds; timer and focus clock stop.
        f.fake.mainLoop.advance(600);
        QVERIFY(!f.monitor().isPresent());
        QVERIFY(!f.todos->isTracking());
        const qint64 worked = f.timer().workSeconds();
        QVERIFY(worked >= 180 && worked <= 211);

        f.typeFor(120);
        QVERIFY(f.todos->isTracking());
        f.todos->pauseTracking();
        // 3 minutes, the idle threshold spent at the desk without input, then 2 minutes.
        QVERIFY(f.todos->currentSessionSeconds() >= 300 && f.todos->currentSessionSeconds() <= 332);
    }

    void aDueBreakPutsTheMonitorInBreakModeAndPausesFocus()
    {
        Fixture f([](QSettings &p) { p.setValue("workDuration", 0); });
        f.addCurrentTask("Write report");
        f.state->start();
        f.typeFor(10);
        QCOMPARE(f.timer().state(), TimerState::breakWaiting);
        QVERIFY(f.fake.log.lines.contains("ActivityMonitor: breakMode=true"));
        QVERIFY(!f.todos->isTracking());
        QVERIFY(f.monitor().isPresent());

        // Five idle seconds are enough in break mode.
        f.fake.mainLoop.advance(6);
        QVERIFY(!f.monitor().isPresent());
        QCOMPARE(f.timer().state(), TimerState::breakActive);
        f.fake.mainLoop.advance(300);
        QCOMPARE(f.timer().state(), TimerState::working);
        QVERIFY(f.fake.log.lines.contains("ActivityMonitor: breakMode=false"));

        f.typeFor(2);
        QVERIFY(f.todos->isTracking());
    }

    void repeatedPresenceValuesAreDeliveredOnce()
    {
        Fixture f;
        f.fake.mainLoop.runPending();
        QSignalSpy received(&f.timer(), &WorkTimer::isPresentChanged);
        f.monitor().recordActivity();
        f.monitor().recordActivity();
        f.fake.mainLoop.runPending();
        QCOMPARE(received.count(), 1);
    }

    void aBurstOfSettingChangesSyncsOnceAfterTheLast()
    {
        Fixture f;
        f.fake.mainLoop.runPending();
        QSignalSpy syncs(&f.timer(), &WorkTimer::breakIntervalSecondsChanged);
        f.settings->setWorkDuration(1);
        f.fake.mainLoop.advance(0.02);
        f.settings->setWorkDuration(2);
        f.fake.mainLoop.advance(0.03);
        f.settings->setWorkDuration(3);
        f.settings->setIdleTimeout(45);
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
        f.state->start();
        f.typeFor(1500);
        QCOMPARE(f.timer().currentBreakType(), BreakType::longBreak);
        f.fake.mainLoop.advance(1); // the sync the counter's change scheduled has run
        QCOMPARE(f.timer().breakDurationSeconds(), 900);
        f.fake.mainLoop.advance(900);
        QCOMPARE(f.timer().breakSeconds(), 897); // the break counts from the first idle check 5 s after the last key
        f.fake.mainLoop.advance(10);
        QCOMPARE(f.stats->sessions().last().durationSeconds, 900);
    }

    void theSnoozeButtonSnoozesTheTimer()
    {
        Fixture f([](QSettings &p) { p.setValue("workDuration", 0); });
        f.state->start();
        f.typeFor(10);
        const QUuid reminder = f.fake.notifications.requests.first().identifier;
        QVERIFY(f.fake.notifications.respond(reminder, NotificationManager::kSnoozeActionIdentifier));
        f.fake.mainLoop.runPending();
        QVERIFY(f.timer().snoozeActive());
        QCOMPARE(f.timer().snoozeSecondsRemaining(), 1800);
    }

    void aNewWorkSessionAsksForTheFocusSection()
    {
        Fixture f;
        f.state->start();
        f.fake.mainLoop.runPending();
        QCOMPARE(f.state->selectedSection(), std::optional(AppSection::focus));
        QVERIFY(f.state->showMainWindow());
        QCOMPARE(f.fake.desktop.activations, 1);
    }

    void terminationRecordsTheSessionAndCreditsFocusTime()
    {
        Fixture f;
        f.addCurrentTask("Write report");
        f.state->start();
        f.typeFor(100);
        AppDelegate delegate(f.fake.platform(), *f.state);
        delegate.applicationWillTerminate();
        QCOMPARE(f.stats->sessions().size(), 1);
        QCOMPARE(f.stats->sessions().first().taskTitle, std::optional<QString>("Write report"));
        QVERIFY(!f.stats->sessions().first().completed);
        QVERIFY(f.fake.log.lines.contains("DEBUG: Saved 100s to task 'Write report', total: 100s"));
        QCOMPARE(f.todos->items().first().totalFocusSeconds, 100);
    }
};

QTEST_GUILESS_MAIN(AppStateWiringTest)
#include "tst_appstate_wiring.moc"
