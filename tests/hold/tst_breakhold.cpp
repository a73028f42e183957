#include "hold/BreakHold.h"
#include "support/FakeApp.h"

#include <QTest>

using Source = HoldSources::Source;
using Reading = HoldSources::Reading;

namespace {
// The whole program over fakes with ten-second work intervals and five-second breaks.
struct Held : FakeApp {
    Held()
        : FakeApp([](QSettings &preferences) {
              onboarded(preferences);
              preferences.setValue("workDuration", 0);
              preferences.setValue("shortBreakDuration", 0);
          })
    {
        startPresent();
    }

    BreakHold &hold() { return appState.breakHold(); }
    void set(Source source, Reading reading)
    {
        fake.holdSources.set(source, reading);
        fake.mainLoop.runPending();
    }
    // The titles of the reminders shown since the last call.
    QStringList shown()
    {
        QStringList titles;
        for (const auto &request : std::exchange(fake.notifications.requests, {}))
            titles << request.title;
        return titles;
    }
};
} // namespace

class BreakHoldTest : public QObject {
    Q_OBJECT
private slots:
    void aReminderDueDuringAHoldComesAMinuteAfterItEnds_data()
    {
        QTest::addColumn<Source>("source");
        QTest::addColumn<QString>("said");
        QTest::newRow("camera") << Source::camera << "camera in use";
        QTest::newRow("microphone") << Source::microphone << "microphone in use";
        QTest::newRow("screen") << Source::screenShared << "screen shared";
        QTest::newRow("full screen") << Source::fullScreen << "full-screen window";
        QTest::newRow("do not disturb") << Source::doNotDisturb << "do not disturb";
    }
    void aReminderDueDuringAHoldComesAMinuteAfterItEnds()
    {
        QFETCH(Source, source);
        QFETCH(QString, said);
        Held app;
        app.set(source, Reading::inUse);
        QCOMPARE(app.hold().statusText(), "Holding reminders: " + said);
        QCOMPARE(app.fake.log.lines.filter("BreakHold:"), QStringList{"BreakHold: holding reminders (" + said + ")"});

        // Work counts as ever and the break comes due, in silence.
        app.work(40);
        QCOMPARE(app.timer().state(), TimerState::breakWaiting);
        QCOMPARE(app.stats.sessions().value().size(), 1);
        QVERIFY(app.shown().isEmpty());

        app.set(source, Reading::clear);
        QVERIFY(app.hold().held());
        app.work(59);
        QVERIFY(app.shown().isEmpty());
        app.work(1);
        QCOMPARE(app.shown(), (QStringList{"Time for a break!", "Step away!"}));
        QVERIFY(app.hold().statusText().isEmpty());
        app.work(10);
        QCOMPARE(app.shown(), QStringList{"Step away!"});
        QCOMPARE(app.stats.sessions().value().size(), 1);
    }

    void aHoldSilencesRemindersAlreadyRepeatingAndAReturnCancelsTheGrace()
    {
        Held app;
        app.work(10);
        QCOMPARE(app.shown(), (QStringList{"Time for a break!", "Step away!"}));
        app.set(Source::microphone, Reading::inUse);
        app.work(30);
        QVERIFY(app.shown().isEmpty());

        app.set(Source::microphone, Reading::clear);
        app.work(50);
        app.set(Source::camera, Reading::inUse);
        app.work(30);
        QVERIFY(app.shown().isEmpty());
        QCOMPARE(app.hold().statusText(), "Holding reminders: camera in use");
        // An unknown reading is no hold.
        app.set(Source::camera, Reading::unknown);
        app.work(60);
        QCOMPARE(app.shown(), QStringList{"Step away!"});
    }

    void aSnoozeChosenDuringAHoldKeepsItsOwnLength()
    {
        Held app;
        app.set(Source::screenShared, Reading::inUse);
        app.work(10);
        app.timer().snooze(30);
        app.work(300);
        app.set(Source::screenShared, Reading::clear);
        app.work(1499);
        QVERIFY(app.shown().isEmpty());
        app.work(1);
        QCOMPARE(app.shown(), QStringList{"Step away!"});
    }

    void switchedOffSourcesAndRemindMeAnywayLetRemindersThrough()
    {
        Held app;
        app.settings.setHoldsWhile(Source::doNotDisturb, false);
        app.set(Source::doNotDisturb, Reading::inUse);
        QVERIFY(!app.hold().held());
        QVERIFY(!app.fake.reopenPreferences()->value("holdWhileDoNotDisturb").toBool());

        app.set(Source::fullScreen, Reading::inUse);
        app.work(10);
        QVERIFY(app.shown().isEmpty());
        app.hold().remindAnyway();
        app.fake.mainLoop.runPending();
        QCOMPARE(app.shown(), (QStringList{"Time for a break!", "Step away!"}));
        // The override lasts while the source stays in use, and ends when it clears.
        app.set(Source::camera, Reading::inUse);
        QVERIFY(!app.hold().held());
        app.set(Source::fullScreen, Reading::clear);
        app.set(Source::camera, Reading::clear);
        app.set(Source::camera, Reading::inUse);
        QVERIFY(app.hold().held());
    }
};

QTEST_MAIN(BreakHoldTest)
#include "tst_breakhold.moc"
