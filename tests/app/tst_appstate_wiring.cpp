#include "app/AppDelegate.h"
#include "support/FakeApp.h"
#include "support/TestFiles.h"
#include "ui/focus/FocusBoardContent.h"

#include <QPushButton>

#include <QSignalSpy>
#include <QTest>

class AppStateWiringTest : public QObject {
    Q_OBJECT
private slots:
    // An unreadable task list is told once in a notification and on the board, each naming the
    // kept file and opening its folder; failing saves are told once until one succeeds.
    void dataFileProblemsAreToldOnceWithTheirFolder()
    {
        FakeApp f([](QSettings &p) {
            writeFile(QFileInfo(p.fileName()).dir().filePath("Documents/Pelmix/todos.json"), "not json");
        });
        const QString folder = f.fake.locations.dataFolder();
        QCOMPARE(f.fake.notifications.requests.size(), 1);
        const NotificationRequest told = f.fake.notifications.requests.first();
        QCOMPARE(told.title, "Pelmix could not read your task list");
        QCOMPARE(told.categoryIdentifier, NotificationManager::kDataNoticeCategory);
        QVERIFY2(told.body.startsWith("It is kept as todos.json.unreadable-") && told.body.contains(folder),
                 qPrintable(told.body));
        f.fake.notifications.respond({told.identifier, NotificationManager::kOpenFolderActionIdentifier});

        FocusBoardContent board(f.todos, f.appState, f.timer(), f.monitor(), f.settings, f.fake.mainLoop);
        board.show();
        auto *notices = board.findChild<QWidget *>("dataNotices");
        QVERIFY(notices->isVisible());
        QTest::mouseClick(notices->findChild<QPushButton *>(), Qt::LeftButton);
        QCOMPARE(f.fake.desktop.openedUrls, QList<QUrl>(2, QUrl::fromLocalFile(folder)));

        withFileSizeLimit(8, [&] {
            f.addTask("First");
            f.addTask("Second");
        });
        QCOMPARE(f.fake.notifications.requests.size(), 2);
        QCOMPARE(f.fake.notifications.requests.last().title, "Pelmix cannot save your task list");
    }

    void startAppliesTheIdleTimeoutAndASecondStartKeepsTheTap()
    {
        FakeApp f;
        f.settings.setIdleTimeout(90);
        f.appState.start();
        QVERIFY(f.fake.log.lines.contains("ActivityMonitor: observing activity through fake input"));
        QVERIFY(f.monitor().isPresent());
        QCOMPARE(f.monitor().idleThresholdSeconds(), 90);
        // The second start, when the onboarding completes, keeps the tap.
        f.appState.start();
        QCOMPARE(f.fake.input.tapsCreated, 1);
    }

    void aDueBreakPutsTheMonitorInBreakModeAndPausesFocus()
    {
        FakeApp f([](QSettings &p) { p.setValue("workDuration", 0); });
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
        FakeApp f;
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

    void aNewWorkSessionAsksForTheFocusSection()
    {
        FakeApp f;
        f.startPresent();
        QCOMPARE(f.appState.selectedSection(), std::optional(AppSection::focus));
        QVERIFY(f.appState.showMainWindow());
        QCOMPARE(f.fake.desktop.activations, 1);
    }

    void terminationRecordsTheSessionAndCreditsFocusTime()
    {
        FakeApp f;
        f.addCurrentTask("Write report");
        f.appState.start();
        f.work(100);
        AppDelegate delegate(f.fake.platform(), f.appState);
        delegate.applicationWillTerminate();
        QCOMPARE(f.stats.sessions().value().size(), 1);
        QCOMPARE(f.stats.sessions().value().first().taskTitle, std::optional<QString>("Write report"));
        QVERIFY(!f.stats.sessions().value().first().completed);
        QVERIFY(f.fake.log.lines.contains("DEBUG: Saved 100s to task 'Write report', total: 100s"));
        QCOMPARE(TodoManager(f.fake.platform()).items().first().totalFocusSeconds, 100);
    }
};

QTEST_MAIN(AppStateWiringTest)
#include "tst_appstate_wiring.moc"
