#include "platform/linux/XdgAutostartEntry.h"
#include "settings/UserSettings.h"
#include "support/FakePlatform.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

class AutostartEntryTest : public QObject {
    Q_OBJECT
private slots:
    void registerWritesAValidEntryAndUnregisterRemovesIt()
    {
        QTemporaryDir folder;
        const QString autostart = QDir(folder.path()).filePath("config/autostart");
        XdgAutostartEntry entry(QStringLiteral("/opt/My Apps/pelmix"), autostart);

        QCOMPARE(entry.registerItem(), std::nullopt);
        QFile file(entry.entryPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString contents = QString::fromUtf8(file.readAll());
        file.close();
        QVERIFY(contents.startsWith("[Desktop Entry]\n"));
        QVERIFY(contents.contains("\nType=Application\n"));
        QVERIFY(contents.contains("\nName=Pelmix\n"));
        QVERIFY(contents.contains("\nExec=\"/opt/My Apps/pelmix\"\n"));

        const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
        if (!validator.isEmpty()) {
            QProcess validate;
            validate.start(validator, {entry.entryPath()});
            QVERIFY(validate.waitForFinished());
            QCOMPARE(validate.readAll(), QByteArray());
            QCOMPARE(validate.exitCode(), 0);
        }

        QCOMPARE(entry.registerItem(), std::nullopt); // registering again overwrites in place
        QCOMPARE(entry.unregisterItem(), std::nullopt);
        QVERIFY(!QFile::exists(entry.entryPath()));
        QCOMPARE(entry.unregisterItem(), std::nullopt); // nothing to remove is not a failure
    }

    void defaultsToTheUsersAutostartFolder()
    {
        XdgAutostartEntry entry(QStringLiteral("/usr/bin/pelmix"));
        QCOMPARE(entry.entryPath(), qEnvironmentVariable("XDG_CONFIG_HOME") + "/autostart/pelmix.desktop");
    }

    void anUnwritableFolderIsLoggedAndTheChoiceKept()
    {
        FakePlatform fake;
        // A regular file where the folder should be: writing fails even for root.
        const QString blocker = QDir(fake.folder.path()).filePath("not-a-folder");
        QFile block(blocker);
        QVERIFY(block.open(QIODevice::WriteOnly));
        block.close();
        XdgAutostartEntry entry(QStringLiteral("/usr/bin/pelmix"), blocker + "/autostart");
        Platform platform{fake.mainLoop, fake.log, *fake.preferences, fake.locations,
                          fake.input,    entry,    fake.desktop,      fake.notifications, fake.sessionEvents};

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

QTEST_GUILESS_MAIN(AutostartEntryTest)
#include "tst_autostartentry.moc"
