#include "activity/ActivityMonitor.h"
#include "app/AppState.h"
#include "notifications/NotificationManager.h"
#include "settings/UserSettings.h"
#include "stats/StatsManager.h"
#include "support/FakePlatform.h"
#include "tasks/TodoManager.h"

#include <QRegularExpression>
#include <QTest>

class AppStateActivityTest : public QObject {
    Q_OBJECT

private slots:
    void startRequestsPermissionThenSetsTheIdleThreshold()
    {
        FakePlatform fake;
        StatsManager stats(fake.platform());
        TodoManager todos(fake.platform());
        UserSettings settings(fake.platform());
        NotificationManager notifications(fake.platform());
        AppState state(fake.platform(), stats, todos, settings, notifications);
        settings.setIdleTimeout(90);
        state.start();
        const QStringList lines =
            fake.log.lines.filter(QRegularExpression(QStringLiteral("^(AppState|ActivityMonitor): ")));
        QCOMPARE(lines, (QStringList{QStringLiteral("AppState: start() called"),
                                     QStringLiteral("ActivityMonitor: requestPermission called, trusted=true")}));
        QVERIFY(state.activityMonitor().isPresent());
        QCOMPARE(state.activityMonitor().idleThresholdSeconds(), 90);

        // The second start, when the onboarding completes, keeps the tap.
        state.start();
        QCOMPARE(fake.input.tapsCreated, 1);
    }
};

QTEST_GUILESS_MAIN(AppStateActivityTest)
#include "tst_appstate_activity.moc"
