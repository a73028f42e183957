#include "platform/linux/system/XdgAutostartEntry.h"
#include "settings/UserSettings.h"
#include "support/FakePlatform.h"
#include "support/TestFiles.h"

#include <QProcess>
#include <QTest>
#include <QTimeZone>

#include <ctime>

namespace {
// Seconds since 1970 of a wall-clock time in the test's zone (Europe/Berlin).
double localUnixSeconds(int y, int mo, int d, int h, int mi, int s)
{
    return static_cast<double>(QDateTime(QDate(y, mo, d), QTime(h, mi, s)).toSecsSinceEpoch());
}

} // namespace

class UserSettingsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        qputenv("TZ", "Europe/Berlin");
        tzset();
    }

    void emptyStoreYieldsDefaultsAndLogsTheReset()
    {
        FakePlatform fake;
        const UserSettings settings(fake.platform());
        QCOMPARE(settings.workDuration(), 25);
        QCOMPARE(settings.shortBreakDuration(), 5);
        QCOMPARE(settings.longBreakDuration(), 15);
        QCOMPARE(settings.longBreakEvery(), 4);
        QCOMPARE(settings.idleTimeout(), 30);
        QVERIFY(settings.soundEnabled() && settings.blurEnabled());
        QVERIFY(!settings.launchAtLogin() && !settings.developerModeEnabled());
        QCOMPARE(fake.log.lines.last(), "DEBUG checkDailyReset: RESETTING completedSessionsToday to 0 (was 0)");
        // Declaring the defaults writes nothing but the day's counter.
        QCOMPARE(fake.reopenPreferences()->allKeys(), QStringList{"completedSessionsToday"});
    }

    void dailyResetAroundLocalMidnight_data()
    {
        QTest::addColumn<double>("lastSession");
        QTest::addColumn<double>("now");
        QTest::addColumn<bool>("isToday");
        const double evening = localUnixSeconds(2026, 3, 14, 23, 59, 58);
        QTest::newRow("just before midnight") << evening << localUnixSeconds(2026, 3, 14, 23, 59, 59) + 0.9 << true;
        QTest::newRow("just after midnight") << evening << localUnixSeconds(2026, 3, 15, 0, 0, 0) + 0.1 << false;
        // 00:30 local is still the previous day in UTC: the local calendar decides.
        QTest::newRow("same local day, other UTC day")
            << localUnixSeconds(2026, 7, 1, 0, 30, 0) << localUnixSeconds(2026, 7, 1, 23, 0, 0) << true;
    }

    void dailyResetAroundLocalMidnight()
    {
        QFETCH(double, lastSession);
        QFETCH(double, now);
        QFETCH(bool, isToday);
        FakePlatform fake;
        fake.preferences->setValue("lastSessionDate", lastSession);
        fake.preferences->setValue("completedSessionsToday", 3);
        fake.mainLoop.setNow(Instant::fromUnixSeconds(now));

        UserSettings settings(fake.platform());
        QCOMPARE(settings.completedSessionsToday(), isToday ? 3 : 0);
        QCOMPARE(fake.log.lines.size(), isToday ? 1 : 2);
        QVERIFY(fake.log.lines.first().endsWith(isToday ? "isToday=true" : "isToday=false"));
        QCOMPARE(settings.lastSessionDate(), lastSession); // a reset keeps the date
    }

    void firstIncrementOfANewDay()
    {
        FakePlatform fake;
        fake.mainLoop.setNow(Instant::fromUnixSeconds(localUnixSeconds(2026, 3, 14, 22, 0, 0)));
        UserSettings settings(fake.platform());
        for (int i = 0; i < 6; ++i)
            settings.incrementCompletedSessions();
        QCOMPARE(settings.completedSessionsToday(), 6);

        fake.mainLoop.setNow(Instant::fromUnixSeconds(localUnixSeconds(2026, 3, 15, 9, 0, 0) + 0.5));
        fake.log.lines.clear();
        settings.incrementCompletedSessions();
        QCOMPARE(fake.log.lines.last(), "DEBUG increment: before=6, afterReset=0, final=1");
        QCOMPARE(settings.completedSessionsToday(), 1);
        QCOMPARE(settings.lastSessionDate(), localUnixSeconds(2026, 3, 15, 9, 0, 0) + 0.5);
        QVERIFY(!settings.isLongBreakDue());
    }

    void longBreakRule()
    {
        FakePlatform fake;
        UserSettings settings(fake.platform());
        QVERIFY(!settings.isLongBreakDue()); // 0 sessions never
        QList<bool> due;
        for (int i = 1; i <= 8; ++i) {
            settings.incrementCompletedSessions();
            due << settings.isLongBreakDue();
        }
        QCOMPARE(due, (QList<bool>{false, false, false, true, false, false, false, true}));
    }

    void handEditedValuesNeverBreakTheProgram()
    {
        FakePlatform fake;
        fake.preferences->setValue("workDuration", "soon");
        fake.preferences->setValue("shortBreakDuration", -3);
        fake.preferences->setValue("longBreakEvery", 0);
        fake.preferences->setValue("soundEnabled", "perhaps");
        fake.preferences->setValue("completedSessionsToday", 4);
        // Far too long: read as the longest length, a day, whose seconds fit.
        fake.preferences->setValue("longBreakDuration", "153722867280912931");
        fake.preferences->setValue("idleTimeout", "9223372036854775807");
        UserSettings settings(fake.platform());
        QCOMPARE(settings.workDuration(), 25);
        QCOMPARE(settings.shortBreakDuration(), 5);
        QCOMPARE(settings.longBreakDuration(), 24 * 60);
        QCOMPARE(settings.idleTimeout(), 24 * 3600);
        QCOMPARE(settings.longBreakEvery(), 4);
        QVERIFY(settings.soundEnabled());

        // Every 0 would divide by zero: the default rule of every 4 applies.
        fake.mainLoop.setNow(Instant::fromUnixSeconds(localUnixSeconds(2026, 3, 14, 10, 0, 0)));
        for (int i = 0; i < 4; ++i)
            settings.incrementCompletedSessions();
        QVERIFY(settings.isLongBreakDue());
    }

    // Launch at login, through the autostart entry.
    void registerWritesAValidEntryAndUnregisterRemovesIt()
    {
        QTemporaryDir folder;
        const QString autostart = folder.filePath("config/autostart");
        XdgAutostartEntry entry(QStringLiteral("/opt/My Apps/pelmix"), autostart);

        QCOMPARE(entry.registerItem(), std::nullopt);
        QVERIFY(readFile(entry.entryPath()).contains("\nExec=\"/opt/My Apps/pelmix\"\n"));
        // Valid for the desktops that read it: a type, a name, nothing they would reject.
        QProcess validate;
        validate.start("desktop-file-validate", {entry.entryPath()});
        QVERIFY(validate.waitForFinished());
        QCOMPARE(validate.readAll(), QByteArray());
        QCOMPARE(validate.exitCode(), 0);

        QCOMPARE(entry.registerItem(), std::nullopt); // registering again overwrites in place
        QCOMPARE(entry.unregisterItem(), std::nullopt);
        QVERIFY(!QFile::exists(entry.entryPath()));
        QCOMPARE(entry.unregisterItem(), std::nullopt); // nothing to remove is not a failure
        QCOMPARE(XdgAutostartEntry(QStringLiteral("/usr/bin/pelmix")).entryPath(),
                 qEnvironmentVariable("XDG_CONFIG_HOME") + "/autostart/pelmix.desktop");
    }

    void anUnwritableFolderIsLoggedAndTheChoiceKept()
    {
        FakePlatform fake;
        // A regular file where the folder should be: writing fails even for root.
        const QString blocker = fake.folder.filePath("not-a-folder");
        writeFile(blocker, {});
        XdgAutostartEntry entry(QStringLiteral("/usr/bin/pelmix"), blocker + "/autostart");
        Platform platform{fake.mainLoop, fake.log,           *fake.preferences,  fake.locations, fake.input,      entry,
                          fake.desktop,  fake.notifications, fake.sessionEvents, fake.trayHost,  fake.holdSources};

        UserSettings settings(platform);
        fake.log.lines.clear();
        settings.setLaunchAtLogin(true);
        settings.updateLaunchAtLogin();

        QCOMPARE(fake.log.lines.size(), 1);
        QVERIFY(fake.log.lines.first().startsWith("Failed to update launch at login: Could not create the folder "));
        QVERIFY(settings.launchAtLogin());
        QVERIFY(fake.reopenPreferences()->value("launchAtLogin").toBool());
    }
};

QTEST_GUILESS_MAIN(UserSettingsTest)
#include "tst_usersettings.moc"
