#include "support/FakeManagers.h"
#include "timer/WorkTimer.h"

#include <QTest>

namespace {

// A work timer over fakes, with its settings already applied.
struct Fixture : FakeManagers {
    explicit Fixture(const std::function<void(QSettings &)> &preferences = {}) : FakeManagers(preferences)
    {
        timer = std::make_unique<WorkTimer>(fake.platform(), *settings, *stats, *todos, *notifications);
        timer->onSessionStart = [this] { ++sessionStarts; };
        fake.mainLoop.runPending();
    }

    QStringList titles() const
    {
        QStringList result;
        for (const auto &request : fake.notifications.requests)
            result << request.title;
        return result;
    }

    void clearNotifications() { fake.notifications.requests.clear(); }
    // Present from now until the default work interval is over.
    void workUntilBreak()
    {
        timer->updatePresence(true);
        fake.mainLoop.advance(1500);
    }

    std::unique_ptr<WorkTimer> timer;
    int sessionStarts = 0;
};

// A recorded session in one comparable line, e.g. "break 300s completed".
QString summary(const Session &session)
{
    return QStringLiteral("%1 %2s %3")
        .arg(rawValue(session.type))
        .arg(session.durationSeconds)
        .arg(session.completed ? "completed" : "cut short");
}

const QString kStepAwayBody = QStringLiteral("Break time! Go stretch! \U0001F6B6");

} // namespace

class WorkTimerTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        qputenv("TZ", "UTC");
        tzset();
    }

    void idleUntilTheUserIsPresent()
    {
        Fixture f;
        QCOMPARE(f.timer->state(), TimerState::working);
        QVERIFY(f.fake.log.lines.contains("Notification permission granted: true"));
        f.fake.mainLoop.advance(60);
        QCOMPARE(f.timer->workSeconds(), 0);
        QCOMPARE(f.sessionStarts, 0);
    }

    void aDefaultWorkIntervalEndsInAShortBreakThatCompletesWhileAway()
    {
        Fixture f;
        f.timer->updatePresence(true);
        QCOMPARE(f.sessionStarts, 1);
        f.fake.mainLoop.advance(1499);
        QCOMPARE(f.timer->workSeconds(), 1499);
        QCOMPARE(f.timer->state(), TimerState::working);
        QVERIFY(f.fake.notifications.requests.isEmpty());

        f.fake.mainLoop.advance(1);
        QCOMPARE(f.timer->state(), TimerState::breakWaiting);
        QCOMPARE(f.timer->todayTotalSeconds(), 1500);
        QCOMPARE(f.timer->workProgress(), 1.0);
        QVERIFY(
            f.fake.log.lines.contains("DEBUG: completedSessionsToday = 1, longBreakEvery = 4, isLongBreakDue = false"));
        QCOMPARE(f.titles(), (QStringList{"Time for a break!", "Step away!"}));
        const auto &reminder = f.fake.notifications.requests.first();
        QCOMPARE(reminder.body, "Step away from the computer for 5 min");
        QCOMPARE(reminder.categoryIdentifier, NotificationManager::kBreakReminderCategory);
        QCOMPARE(f.fake.notifications.requests.last().body, kStepAwayBody);
        QCOMPARE(f.timer->currentBreakType(), BreakType::shortBreak);

        QCOMPARE(f.stats->sessions().size(), 1);
        QCOMPARE(summary(f.stats->sessions().first()), "work 1500s completed");
        QCOMPARE(f.stats->sessions().first().endTime.secondsSince(f.stats->sessions().first().startTime), 1500.0);

        // "Step away!" repeats every ten seconds while the user stays.
        f.clearNotifications();
        f.fake.mainLoop.advance(30);
        QCOMPARE(f.titles(), (QStringList{"Step away!", "Step away!", "Step away!"}));
        QCOMPARE(f.timer->breakSeconds(), 0);

        f.clearNotifications();
        f.timer->updatePresence(false);
        QCOMPARE(f.timer->state(), TimerState::breakActive);
        f.fake.mainLoop.advance(299);
        QVERIFY(f.fake.notifications.requests.isEmpty());
        f.fake.mainLoop.advance(1);
        QCOMPARE(f.titles(), QStringList{"Break complete!"});
        QCOMPARE(f.fake.notifications.requests.first().body, "Welcome back! Ready to work");
        QVERIFY(f.fake.notifications.requests.first().categoryIdentifier.isEmpty());
        QVERIFY(f.fake.notifications.requests.first().playsSound);
        QCOMPARE(f.timer->state(), TimerState::working);
        QCOMPARE(f.timer->workSeconds(), 0);
        QCOMPARE(f.stats->sessions().size(), 2);
        QCOMPARE(summary(f.stats->sessions().last()), "break 300s completed");

        // Counting resumes only when the user returns.
        f.fake.mainLoop.advance(20);
        QCOMPARE(f.timer->workSeconds(), 0);
        f.timer->updatePresence(true);
        QCOMPARE(f.sessionStarts, 2);
        f.fake.mainLoop.advance(3);
        QCOMPARE(f.timer->workSeconds(), 3);
    }

    void endOfBreakNoticeIsSilentWhenSoundIsOff()
    {
        Fixture f([](QSettings &p) {
            p.setValue("soundEnabled", false);
            p.setValue("workDuration", 0);
            p.setValue("shortBreakDuration", 0);
        });
        f.timer->updatePresence(true);
        f.fake.mainLoop.advance(10);
        f.timer->updatePresence(false);
        f.fake.mainLoop.advance(5);
        QCOMPARE(f.titles().last(), "Break complete!");
        QVERIFY(!f.fake.notifications.requests.last().playsSound);
        QVERIFY(f.fake.notifications.requests.first().playsSound); // reminders always sound
    }

    void developerLengths()
    {
        Fixture f([](QSettings &p) {
            p.setValue("workDuration", 0);
            p.setValue("shortBreakDuration", 0);
            p.setValue("longBreakDuration", 45);
            p.setValue("longBreakEvery", 2);
        });
        QCOMPARE(f.timer->breakIntervalSeconds(), 10);
        QCOMPARE(f.timer->breakDurationSeconds(), 5);
        f.timer->updatePresence(false);
        f.timer->updatePresence(true);
        f.fake.mainLoop.advance(9);
        QCOMPARE(f.timer->state(), TimerState::working);
        f.fake.mainLoop.advance(1);
        QCOMPARE(f.timer->state(), TimerState::breakWaiting);
        QCOMPARE(f.fake.notifications.requests.first().body, "Step away from the computer for 0 min");
        f.timer->updatePresence(false);
        f.fake.mainLoop.advance(5);
        QCOMPARE(f.timer->state(), TimerState::working);

        // The second session is a long one: 10 seconds whatever the long length says.
        f.clearNotifications();
        f.timer->updatePresence(true);
        f.fake.mainLoop.advance(10);
        QCOMPARE(f.timer->currentBreakType(), BreakType::longBreak);
        QCOMPARE(f.timer->breakDurationSeconds(), 10);
        QCOMPARE(f.titles().first(), "Great work! Time for a real break");
        QCOMPARE(f.fake.notifications.requests.first().body, "You've completed 2 sessions. Take 0 minutes.");
    }

    void theFourthSessionBringsALongBreakThatLastsItsFullLength()
    {
        Fixture f([](QSettings &p) {
            p.setValue("completedSessionsToday", 3);
            p.setValue("lastSessionDate", 1'773'478'800.0 - 60); // a minute before the fake clock's start
        });
        f.workUntilBreak();
        QCOMPARE(f.timer->currentBreakType(), BreakType::longBreak);
        QCOMPARE(f.timer->breakDurationSeconds(), 900);
        QCOMPARE(f.titles().first(), "Great work! Time for a real break");
        QCOMPARE(f.fake.notifications.requests.first().body, "You've completed 4 sessions. Take 15 minutes.");

        // A settings sync during the break keeps the announced length.
        f.timer->applySettings();
        QCOMPARE(f.timer->breakDurationSeconds(), 900);
        f.timer->updatePresence(false);
        f.fake.mainLoop.advance(899);
        QCOMPARE(f.timer->state(), TimerState::breakActive);
        f.fake.mainLoop.advance(1);
        QCOMPARE(f.timer->state(), TimerState::working);
        QCOMPARE(f.stats->sessions().last().durationSeconds, 900);
        // Back at work, the next break is short again.
        f.timer->applySettings();
        QCOMPARE(f.timer->breakDurationSeconds(), 300);
    }

    void shortAbsencesKeepTheWorkPeriodLongOnesEndIt()
    {
        Fixture f;
        // A long absence before any work records nothing and keeps the open session.
        f.timer->updatePresence(true);
        f.timer->updatePresence(false);
        f.fake.mainLoop.advance(400);
        f.timer->updatePresence(true);
        QVERIFY(f.stats->sessions().isEmpty());
        QCOMPARE(f.sessionStarts, 1);

        f.fake.mainLoop.advance(600);
        f.timer->updatePresence(false);
        f.fake.mainLoop.advance(299);
        f.timer->updatePresence(true);
        QCOMPARE(f.timer->workSeconds(), 600);
        QCOMPARE(f.sessionStarts, 1);
        QVERIFY(f.stats->sessions().isEmpty());

        f.fake.mainLoop.advance(10);
        const Instant left = f.fake.mainLoop.now();
        f.timer->updatePresence(false);
        f.fake.mainLoop.advance(300);
        f.timer->updatePresence(true);
        QCOMPARE(f.stats->sessions().size(), 1);
        QCOMPARE(summary(f.stats->sessions().first()), "work 610s cut short");
        QCOMPARE(f.stats->sessions().first().endTime, left);
        QCOMPARE(f.timer->workSeconds(), 0);
        QCOMPARE(f.sessionStarts, 2);
    }

    void returningDuringABreakPausesIt()
    {
        Fixture f;
        f.workUntilBreak();
        f.timer->updatePresence(false);
        f.fake.mainLoop.advance(100);
        f.timer->updatePresence(true);
        QCOMPARE(f.timer->state(), TimerState::breakWaiting);
        f.fake.mainLoop.advance(50);
        QCOMPARE(f.timer->breakSeconds(), 100);
        f.timer->updatePresence(false);
        f.fake.mainLoop.advance(200);
        QCOMPARE(f.timer->state(), TimerState::working);
        QCOMPARE(f.stats->sessions().last().durationSeconds, 300);
    }

    void snoozeSilencesTheReminderForThirtyMinutes()
    {
        Fixture f;
        f.workUntilBreak();
        f.clearNotifications();
        f.timer->snooze(30);
        QVERIFY(f.fake.log.lines.contains("WorkTimer: Snooze triggered for 30 minutes"));
        QVERIFY(f.timer->snoozeActive());
        QCOMPARE(f.timer->snoozeSecondsRemaining(), 1800);
        f.fake.mainLoop.advance(1);
        QCOMPARE(f.timer->snoozeSecondsRemaining(), 1799);
        f.fake.mainLoop.advance(1798);
        QVERIFY(f.fake.notifications.requests.isEmpty());

        // A second snooze restarts the count with one countdown.
        f.timer->snooze(30);
        f.fake.mainLoop.advance(10);
        QCOMPARE(f.timer->snoozeSecondsRemaining(), 1790);
        f.fake.mainLoop.advance(1790);
        QVERIFY(!f.timer->snoozeActive());
        QCOMPARE(f.timer->snoozeSecondsRemaining(), 0);
        QCOMPARE(f.titles(), QStringList{"Step away!"});
        f.fake.mainLoop.advance(20);
        QCOMPARE(f.titles().size(), 3);
    }

    void aBreakDueDuringASnoozeSendsOnlyItsReminder()
    {
        Fixture f;
        f.timer->updatePresence(true);
        f.timer->snooze(30);
        f.fake.mainLoop.advance(1500);
        QCOMPARE(f.timer->state(), TimerState::breakWaiting);
        QCOMPARE(f.titles(), QStringList{"Time for a break!"});
    }

    void takeBreakDuringASnoozeCountsTheBreakWhilePresent()
    {
        Fixture f;
        f.workUntilBreak();
        f.timer->snooze(30);
        f.timer->takeBreakFromSnooze();
        QVERIFY(f.fake.log.lines.contains("WorkTimer: Taking break from snooze"));
        QVERIFY(!f.timer->snoozeActive());
        QCOMPARE(f.timer->state(), TimerState::breakActive);
        f.fake.mainLoop.advance(300);
        QCOMPARE(f.timer->state(), TimerState::working);
        QCOMPARE(summary(f.stats->sessions().last()), "break 300s completed");
    }

    void takeBreakWhileTheWorkCountdownRunsEndsTheWorkPeriod()
    {
        Fixture f;
        f.timer->updatePresence(true);
        f.timer->snooze(30);
        f.fake.mainLoop.advance(200);
        f.timer->takeBreakFromSnooze();
        QCOMPARE(f.timer->state(), TimerState::breakActive);
        QCOMPARE(f.stats->sessions().size(), 1);
        QCOMPARE(summary(f.stats->sessions().first()), "work 200s cut short");

        f.fake.mainLoop.advance(10);
        QCOMPARE(f.timer->workSeconds(), 200); // the work countdown stopped
        QCOMPARE(f.timer->breakSeconds(), 10);
        f.fake.mainLoop.advance(290);
        QCOMPARE(f.timer->state(), TimerState::working);
        QCOMPARE(summary(f.stats->sessions().last()), "break 300s completed");
    }

    void terminationRecordsTheOpenSession()
    {
        Fixture f;
        f.timer->recordOpenSessions(); // nothing open
        f.timer->updatePresence(true);
        f.timer->recordOpenSessions(); // open, but no seconds yet
        QVERIFY(f.stats->sessions().isEmpty());
        f.fake.mainLoop.advance(700);
        f.timer->recordOpenSessions();
        QCOMPARE(f.stats->sessions().size(), 1);
        QCOMPARE(summary(f.stats->sessions().first()), "work 700s cut short");

        Fixture g;
        g.workUntilBreak();
        g.timer->updatePresence(false);
        g.fake.mainLoop.advance(42);
        g.timer->recordOpenSessions();
        QCOMPARE(summary(g.stats->sessions().last()), "break 42s cut short");
    }

    void aShorterIntervalTakesEffectOnTheNextTick()
    {
        Fixture f;
        f.timer->updatePresence(true);
        f.fake.mainLoop.advance(700);
        f.settings->setWorkDuration(10);
        f.timer->applySettings();
        QCOMPARE(f.timer->state(), TimerState::working);
        f.fake.mainLoop.advance(1);
        QCOMPARE(f.timer->state(), TimerState::breakWaiting);
    }
};

QTEST_GUILESS_MAIN(WorkTimerTest)
#include "tst_worktimer.moc"
