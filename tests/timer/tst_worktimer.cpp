#include "support/FakeApp.h"
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

    void aDefaultWorkIntervalEndsInAShortBreakThatCompletesWhileAway()
    {
        Fixture f;
        f.timer->updatePresence(true);
        QCOMPARE(f.sessionStarts, 1);
        f.fake.mainLoop.advance(1499);
        QCOMPARE(f.timer->state(), TimerState::working);
        QVERIFY(f.fake.notifications.requests.isEmpty());

        f.fake.mainLoop.advance(1);
        QCOMPARE(f.timer->state(), TimerState::breakWaiting);
        QCOMPARE(f.titles(), (QStringList{"Time for a break!", "Step away!"}));
        QCOMPARE(f.fake.notifications.requests.first().body, "Step away from the computer for 5 min");
        QCOMPARE(f.fake.notifications.requests.last().body, kStepAwayBody);
        QCOMPARE(f.stats->sessions().value().size(), 1);
        QCOMPARE(summary(f.stats->sessions().value().first()), "work 1500s completed");

        // "Step away!" repeats every ten seconds while the user stays.
        f.fake.notifications.requests.clear();
        f.fake.mainLoop.advance(30);
        QCOMPARE(f.titles(), (QStringList{"Step away!", "Step away!", "Step away!"}));

        f.fake.notifications.requests.clear();
        f.timer->updatePresence(false);
        QCOMPARE(f.timer->state(), TimerState::breakActive);
        f.fake.mainLoop.advance(299);
        QVERIFY(f.fake.notifications.requests.isEmpty());
        f.fake.mainLoop.advance(1);
        QCOMPARE(f.titles(), QStringList{"Break complete!"});
        QCOMPARE(f.timer->state(), TimerState::working);
        QCOMPARE(f.timer->workSeconds(), 0);
        QCOMPARE(summary(f.stats->sessions().value().last()), "break 300s completed");
    }

    // With developer lengths a long break is 10 seconds whatever its length says.
    void developerLengthsGiveALongBreakOfTenSeconds()
    {
        Fixture f([](QSettings &p) {
            p.setValue("workDuration", 0);
            p.setValue("shortBreakDuration", 0);
            p.setValue("longBreakEvery", 1);
        });
        f.timer->updatePresence(true);
        f.fake.mainLoop.advance(9);
        QCOMPARE(f.timer->state(), TimerState::working);
        f.fake.mainLoop.advance(1);
        QCOMPARE(f.timer->currentBreakType(), BreakType::longBreak);
        QCOMPARE(f.timer->breakDurationSeconds(), 10);
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
        QCOMPARE(f.stats->sessions().value().last().durationSeconds, 900);
    }

    void shortAbsencesKeepTheWorkPeriodLongOnesEndIt()
    {
        Fixture f;
        // A long absence before any work records nothing and keeps the open session.
        f.timer->updatePresence(true);
        f.timer->updatePresence(false);
        f.fake.mainLoop.advance(400);
        f.timer->updatePresence(true);
        QVERIFY(f.stats->sessions().value().isEmpty());
        QCOMPARE(f.sessionStarts, 1);

        f.fake.mainLoop.advance(600);
        f.timer->updatePresence(false);
        f.fake.mainLoop.advance(299);
        f.timer->updatePresence(true);
        QCOMPARE(f.timer->workSeconds(), 600);
        QCOMPARE(f.sessionStarts, 1);
        QVERIFY(f.stats->sessions().value().isEmpty());

        f.fake.mainLoop.advance(10);
        const Instant left = f.fake.mainLoop.now();
        f.timer->updatePresence(false);
        f.fake.mainLoop.advance(300);
        f.timer->updatePresence(true);
        QCOMPARE(f.stats->sessions().value().size(), 1);
        QCOMPARE(summary(f.stats->sessions().value().first()), "work 610s cut short");
        QCOMPARE(f.stats->sessions().value().first().endTime, left);
        QCOMPARE(f.sessionStarts, 2);
    }

    // A break due during a snooze sends only its reminder; "Step away!" waits for the end.
    void snoozeSilencesTheStepAwayReminderForThirtyMinutes()
    {
        Fixture f;
        f.timer->updatePresence(true);
        f.timer->snooze(30);
        QCOMPARE(f.timer->snoozeSecondsRemaining(), 1800);
        f.fake.mainLoop.advance(1505);
        QCOMPARE(f.timer->state(), TimerState::breakWaiting);
        QCOMPARE(f.titles(), QStringList{"Time for a break!"});

        // A second snooze restarts the count with one countdown.
        f.timer->snooze(30);
        f.fake.mainLoop.advance(10);
        QCOMPARE(f.timer->snoozeSecondsRemaining(), 1790);
        f.fake.mainLoop.advance(1789);
        QCOMPARE(f.titles().size(), 1);
        f.fake.mainLoop.advance(1);
        QVERIFY(!f.timer->snoozeActive());
        QCOMPARE(f.titles(), (QStringList{"Time for a break!", "Step away!"}));
        f.fake.mainLoop.advance(20);
        QCOMPARE(f.titles().size(), 4);
    }

    void takeBreakWhileTheWorkCountdownRunsEndsTheWorkPeriod()
    {
        Fixture f;
        f.timer->updatePresence(true);
        f.timer->snooze(30);
        f.fake.mainLoop.advance(200);
        f.timer->takeBreakFromSnooze();
        QCOMPARE(f.timer->state(), TimerState::breakActive);
        QCOMPARE(f.stats->sessions().value().size(), 1);
        QCOMPARE(summary(f.stats->sessions().value().first()), "work 200s cut short");

        f.fake.mainLoop.advance(10);
        QCOMPARE(f.timer->workSeconds(), 200); // the work countdown stopped
        QCOMPARE(f.timer->breakSeconds(), 10);
        f.fake.mainLoop.advance(290);
        QCOMPARE(f.timer->state(), TimerState::working);
        QCOMPARE(summary(f.stats->sessions().value().last()), "break 300s completed");
    }

    void terminationRecordsTheOpenBreak()
    {
        Fixture f;
        f.workUntilBreak();
        f.timer->updatePresence(false);
        f.timer->recordOpenSessions(); // open, but no seconds yet
        QCOMPARE(f.stats->sessions().value().size(), 1);
        f.fake.mainLoop.advance(42);
        f.timer->recordOpenSessions();
        QCOMPARE(summary(f.stats->sessions().value().last()), "break 42s cut short");
    }
};

QTEST_GUILESS_MAIN(WorkTimerTest)
#include "tst_worktimer.moc"
