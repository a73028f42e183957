// The hold sources against the real programs that make them: PipeWire with WirePlumber and
// its own clients, an X server with a window manager, dunst.
#include "hold/BreakHold.h"
#include "platform/linux/hold/DoNotDisturbWatch.h"
#include "platform/linux/hold/FullScreenWatch.h"
#include "platform/linux/hold/PipeWireWatch.h"
#include "platform/linux/hold/ProcCameraScan.h"
#include "platform/linux/hold/PulseAudioWatch.h"
#include "support/ChildProcess.h"
#include "support/FakeApp.h"
#include "support/PrivateSessionBus.h"
#include "support/TestNotificationServer.h"
#include "support/XvfbServer.h"

#include <QDBusConnectionInterface>
#include <QDir>
#include <QProcess>
#include <QTest>

using Reading = HoldSources::Reading;

namespace {
QProcessEnvironment withBus(const PrivateSessionBus &bus, const QByteArray &display = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DBUS_SESSION_BUS_ADDRESS", bus.address());
    if (!display.isEmpty())
        environment.insert("DISPLAY", display);
    return environment;
}
} // namespace

class HoldSourcesTest : public QObject {
    Q_OBJECT
private slots:
    // Each recorder seen through PipeWire's graph and through its PulseAudio server alike.
    void recordersOfTheMicrophoneHoldAndRecordersOfWhatPlaysDoNot_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("holds");
        QTest::newRow("pw-record") << "pw-record" << QStringList{} << true;
        QTest::newRow("parecord") << "parecord" << QStringList{} << true;
        QTest::newRow("pw-record of what plays") << "pw-record" << QStringList{"-P", "{ stream.capture.sink=true }"}
                                                 << false;
        QTest::newRow("parecord of a monitor") << "parecord" << QStringList{"-d", "test-speakers.monitor"} << false;
    }
    void recordersOfTheMicrophoneHoldAndRecordersOfWhatPlaysDoNot()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(bool, holds);
        PrivateSessionBus bus;
        const QProcessEnvironment environment = withBus(bus);
        PipeWireWatch::Readings readings;
        PipeWireWatch graph([&](const PipeWireWatch::Readings &now) { readings = now; });
        Reading pulse = Reading::unknown;
        PulseAudioWatch pulseServer([&](Reading now) { pulse = now; });
        QCOMPARE(readings.microphone, Reading::unknown); // no server yet

        PrivatePipeWire server(environment);
        QVERIFY(server.isReady());
        // Both find their server by its socket, without polling.
        QTRY_COMPARE_WITH_TIMEOUT(readings.microphone, Reading::clear, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(pulse, Reading::clear, 10000);
        QTemporaryDir folder;
        {
            ChildProcess recorder(program, arguments << folder.filePath("out.wav"), environment);
            const Reading expected = holds ? Reading::inUse : Reading::clear;
            if (!holds)
                QTest::qWait(1500);
            QTRY_COMPARE_WITH_TIMEOUT(readings.microphone, expected, 10000);
            QTRY_COMPARE_WITH_TIMEOUT(pulse, expected, 10000);
        }
        QTRY_COMPARE_WITH_TIMEOUT(readings.microphone, Reading::clear, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(pulse, Reading::clear, 10000);
        server.stopServer();
        QTRY_COMPARE_WITH_TIMEOUT(readings.microphone, Reading::unknown, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(pulse, Reading::unknown, 10000);
    }

    // No compositor shares a screen and no camera exists here: a peer makes a video source as a
    // portal's screen cast (or a camera's node) is made, and watches it as a call program would.
    void aScreenCastOrACameraNodeHolds_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("camera");
        QTest::newRow("screen cast") << QStringList{} << false;
        QTest::newRow("camera node") << QStringList{"camera"} << true;
    }
    void aScreenCastOrACameraNodeHolds()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, camera);
        PrivateSessionBus bus;
        const QProcessEnvironment environment = withBus(bus);
        PipeWireWatch::Readings readings;
        PipeWireWatch watch([&](const PipeWireWatch::Readings &now) { readings = now; });
        PrivatePipeWire server(environment);
        QVERIFY(server.isReady());
        QTRY_COMPARE_WITH_TIMEOUT(readings.screenShared, Reading::clear, 10000);
        {
            ChildProcess peer(PELMIX_SCREENCAST_PEER, arguments, environment);
            QTRY_VERIFY_WITH_TIMEOUT(readings.screenShared == Reading::inUse || readings.camera == Reading::inUse, 10000);
            QCOMPARE(readings.camera, camera ? Reading::inUse : Reading::clear);
            QCOMPARE(readings.screenShared, camera ? Reading::clear : Reading::inUse);
            QCOMPARE(readings.microphone, Reading::clear);
        }
        QTRY_COMPARE_WITH_TIMEOUT(readings.screenShared, Reading::clear, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(readings.camera, Reading::clear, 10000);
    }

    void aFullScreenWindowWithTheFocusHolds()
    {
        XvfbServer x;
        QVERIFY2(x.start(), qPrintable(x.errorString()));
        qputenv("DISPLAY", x.displayName());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        Reading reading = Reading::unknown;
        FullScreenWatch watch([&](Reading now) { reading = now; });
        QCOMPARE(reading, Reading::unknown); // no window manager names the active window yet

        ChildProcess manager("jwm", {}, environment);
        QTRY_COMPARE_WITH_TIMEOUT(reading, Reading::clear, 10000);
        ChildProcess window("xmessage", {"-title", "slides", "Presenting"}, environment);
        QTRY_VERIFY_WITH_TIMEOUT(window.run("wmctrl", {"-a", "slides"}), 10000);
        QVERIFY(window.run("wmctrl", {"-r", "slides", "-b", "add,fullscreen"}));
        QTRY_COMPARE_WITH_TIMEOUT(reading, Reading::inUse, 10000);
        QVERIFY(window.run("wmctrl", {"-r", "slides", "-b", "remove,fullscreen"}));
        QTRY_COMPARE_WITH_TIMEOUT(reading, Reading::clear, 10000);
        QVERIFY(window.run("wmctrl", {"-r", "slides", "-b", "add,fullscreen"}));
        QTRY_COMPARE_WITH_TIMEOUT(reading, Reading::inUse, 10000);
        window.stop();
        QTRY_COMPARE_WITH_TIMEOUT(reading, Reading::clear, 10000);
    }

    // From dunst's pause to the reminder, a minute of virtual time after the pause ends.
    void dunstPausedHoldsTheReminderUntilAMinuteAfterItResumes()
    {
        XvfbServer x;
        QVERIFY2(x.start(), qPrintable(x.errorString()));
        PrivateSessionBus bus;
        const QProcessEnvironment environment = withBus(bus, x.displayName());
        QTemporaryDir config;
        QFile(config.filePath("dunstrc")).open(QIODevice::WriteOnly);
        ChildProcess dunst("dunst", {"-config", config.filePath("dunstrc")}, environment);
        QDBusConnection connection = bus.connect("dunst-watch");
        QTRY_VERIFY_WITH_TIMEOUT(connection.interface()->isServiceRegistered("org.freedesktop.Notifications"), 10000);

        FakeApp app([](QSettings &preferences) {
            onboarded(preferences);
            preferences.setValue("workDuration", 0);
        });
        app.startPresent();
        DoNotDisturbWatch watch(connection, [&](Reading now) {
            app.fake.holdSources.set(HoldSources::Source::doNotDisturb, now);
        });
        QTRY_COMPARE_WITH_TIMEOUT(app.fake.holdSources.reading(HoldSources::Source::doNotDisturb), Reading::clear,
                                  10000);
        QVERIFY(dunst.run("dunstctl", {"set-paused", "true"}));
        QTRY_VERIFY_WITH_TIMEOUT(app.appState.breakHold().held(), 10000);
        app.work(10);
        QCOMPARE(app.timer().state(), TimerState::breakWaiting);
        QVERIFY(app.fake.notifications.requests.isEmpty());

        QVERIFY(dunst.run("dunstctl", {"set-paused", "false"}));
        QTRY_COMPARE_WITH_TIMEOUT(app.fake.holdSources.reading(HoldSources::Source::doNotDisturb), Reading::clear,
                                  10000);
        app.work(59);
        QVERIFY(app.fake.notifications.requests.isEmpty());
        app.work(1);
        QCOMPARE(app.fake.notifications.requests.first().title, "Time for a break!");

        dunst.stop();
        QTRY_COMPARE_WITH_TIMEOUT(app.fake.holdSources.reading(HoldSources::Source::doNotDisturb), Reading::unknown,
                                  10000);
    }

    // XFCE's notification daemon with its settings store, both real; KDE's server, which needs a
    // whole Plasma session, through a peer that answers as it does.
    void doNotDisturbOfXfceAndKde_data()
    {
        QTest::addColumn<bool>("xfce");
        QTest::newRow("xfce4-notifyd") << true;
        QTest::newRow("KDE's server (peer)") << false;
    }
    void doNotDisturbOfXfceAndKde()
    {
        QFETCH(bool, xfce);
        XvfbServer x;
        QVERIFY2(x.start(), qPrintable(x.errorString()));
        PrivateSessionBus bus;
        const QProcessEnvironment environment = withBus(bus, x.displayName());
        std::optional<ChildProcess> settingsStore, daemon;
        TestNotificationServer plasma;
        plasma.serverName = "Plasma";
        if (xfce) {
            settingsStore.emplace(PELMIX_LIBDIR "/xfce4/xfconf/xfconfd", QStringList{}, environment);
            daemon.emplace(PELMIX_LIBDIR "/xfce4/notifyd/xfce4-notifyd", QStringList{}, environment);
        } else {
            QVERIFY(plasma.registerOn(bus.connect("plasma-peer")));
        }
        QDBusConnection connection = bus.connect("watch");
        QTRY_VERIFY_WITH_TIMEOUT(connection.interface()->isServiceRegistered("org.freedesktop.Notifications"), 10000);
        Reading reading = Reading::unknown;
        DoNotDisturbWatch watch(connection, [&](Reading now) { reading = now; });
        QTRY_COMPARE_WITH_TIMEOUT(reading, Reading::clear, 10000);
        const auto setQuiet = [&](bool quiet) {
            if (!xfce)
                return plasma.setInhibited(quiet);
            QVERIFY(daemon->run("xfconf-query", {"-c", "xfce4-notifyd", "-p", "/do-not-disturb", "-n", "-t", "bool",
                                                 "-s", quiet ? "true" : "false"}));
        };
        setQuiet(true);
        QTRY_COMPARE_WITH_TIMEOUT(reading, Reading::inUse, 10000);
        setQuiet(false);
        QTRY_COMPARE_WITH_TIMEOUT(reading, Reading::clear, 10000);
    }

    // No video device can exist here: a file named like one, held open by a process of the user.
    void anOpenCameraDeviceIsFoundOnlyWhileABreakIsDue()
    {
        QTemporaryDir devices;
        QFile device(devices.filePath("video0"));
        QVERIFY(device.open(QIODevice::WriteOnly));
        device.close();
        FakeMainLoop loop;
        Reading reading = Reading::unknown;
        ProcCameraScan scan(loop, [&](Reading now) { reading = now; }, {"/proc", devices.filePath("video")});
        ChildProcess camera("sh", {"-c", "exec 3<\"$0\"; exec sleep 60", device.fileName()});
        QTRY_COMPARE(scan.scan(), Reading::inUse);
        QCOMPARE(reading, Reading::unknown); // nothing is scanned while no break is due

        scan.setBreakDue(true);
        QCOMPARE(reading, Reading::inUse);
        camera.stop();
        loop.advance(ProcCameraScan::kScanIntervalSeconds);
        QCOMPARE(reading, Reading::clear);
        scan.setBreakDue(false);
        QCOMPARE(reading, Reading::unknown);
        const ChildProcess again("sh", {"-c", "exec 3<\"$0\"; exec sleep 60", device.fileName()});
        loop.advance(60);
        QCOMPARE(reading, Reading::unknown);
    }
};

QTEST_MAIN(HoldSourcesTest)
#include "tst_hold_sources.moc"
