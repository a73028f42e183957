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
    // Each client seen through PipeWire's graph and through its PulseAudio server alike. No
    // compositor shares a screen and no camera exists here: a peer makes a video source as a
    // portal's screen cast (or a camera's node) is made, and watches it as a call program would.
    void pipeWireClientsHoldForWhatTheyUse_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("uses");
        const QString peer = PELMIX_SCREENCAST_PEER;
        QTest::newRow("pw-record") << "pw-record" << QStringList{"--target", "test-microphone", "in.wav"}
                                   << "microphone";
        QTest::newRow("parecord") << "parecord" << QStringList{"-d", "test-microphone", "in.wav"} << "microphone";
        QTest::newRow("pw-record of what plays")
            << "pw-record" << QStringList{"-P", "{ stream.capture.sink=true }", "out.wav"} << "";
        QTest::newRow("parecord of a monitor")
            << "parecord" << QStringList{"-d", "test-speakers.monitor", "out.wav"} << "";
        QTest::newRow("screen cast (peer)") << peer << QStringList{} << "screen";
        QTest::newRow("camera node (peer)") << peer << QStringList{"camera"} << "camera";
    }
    void pipeWireClientsHoldForWhatTheyUse()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(QString, uses);
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
        const PipeWireWatch::Readings clear{Reading::clear, Reading::clear, Reading::clear};
        QTRY_VERIFY_WITH_TIMEOUT(readings == clear && pulse == Reading::clear, 10000);
        const auto expected = [&](const char *what) { return uses == what ? Reading::inUse : Reading::clear; };
        {
            QTemporaryDir folder;
            ChildProcess client(program, arguments, environment, folder.path());
            if (uses.isEmpty())
                QTest::qWait(1500);
            QTRY_COMPARE_WITH_TIMEOUT(readings.microphone, expected("microphone"), 10000);
            QTRY_COMPARE_WITH_TIMEOUT(pulse, expected("microphone"), 10000);
            QTRY_COMPARE_WITH_TIMEOUT(readings.screenShared, expected("screen"), 10000);
            QTRY_COMPARE_WITH_TIMEOUT(readings.camera, expected("camera"), 10000);
        }
        QTRY_VERIFY_WITH_TIMEOUT(readings == clear && pulse == Reading::clear, 10000);
        server.stopServer();
        QTRY_VERIFY_WITH_TIMEOUT(readings == PipeWireWatch::Readings{} && pulse == Reading::unknown, 10000);
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

    // From each desktop's do not disturb to the reminder, a minute of virtual time after it ends:
    // dunst and XFCE's daemon (with its settings store) real; KDE's server, which needs a whole
    // Plasma session, through a peer that answers as it does.
    void doNotDisturbHoldsTheReminderUntilAMinuteAfterItEnds_data()
    {
        QTest::addColumn<QString>("server");
        QTest::newRow("dunst") << "dunst";
        QTest::newRow("xfce4-notifyd") << "xfce";
        QTest::newRow("KDE's server (peer)") << "kde";
    }
    void doNotDisturbHoldsTheReminderUntilAMinuteAfterItEnds()
    {
        QFETCH(QString, server);
        XvfbServer x;
        QVERIFY2(x.start(), qPrintable(x.errorString()));
        PrivateSessionBus bus;
        const QProcessEnvironment environment = withBus(bus, x.displayName());
        QTemporaryDir config;
        QFile(config.filePath("dunstrc")).open(QIODevice::WriteOnly);
        std::optional<ChildProcess> settingsStore, daemon;
        TestNotificationServer plasma;
        plasma.serverName = "Plasma";
        if (server == "dunst") {
            daemon.emplace("dunst", QStringList{"-config", config.filePath("dunstrc")}, environment);
        } else if (server == "xfce") {
            settingsStore.emplace(PELMIX_LIBDIR "/xfce4/xfconf/xfconfd", QStringList{}, environment);
            daemon.emplace(PELMIX_LIBDIR "/xfce4/notifyd/xfce4-notifyd", QStringList{}, environment);
        } else {
            QVERIFY(plasma.registerOn(bus.connect("plasma-peer")));
        }
        const auto setQuiet = [&](bool quiet) {
            const QString on = quiet ? "true" : "false";
            if (server == "kde")
                plasma.setInhibited(quiet);
            else if (server == "dunst")
                QVERIFY(daemon->run("dunstctl", {"set-paused", on}));
            else
                QVERIFY(daemon->run("xfconf-query",
                                    {"-c", "xfce4-notifyd", "-p", "/do-not-disturb", "-n", "-t", "bool", "-s", on}));
        };
        QDBusConnection connection = bus.connect("watch");
        QTRY_VERIFY_WITH_TIMEOUT(connection.interface()->isServiceRegistered("org.freedesktop.Notifications"), 10000);
        FakeApp app([](QSettings &preferences) {
            onboarded(preferences);
            preferences.setValue("workDuration", 0);
        });
        app.startPresent();
        const auto reading = [&] { return app.fake.holdSources.reading(HoldSources::Source::doNotDisturb); };
        DoNotDisturbWatch watch(connection,
                                [&](Reading now) { app.fake.holdSources.set(HoldSources::Source::doNotDisturb, now); });
        QTRY_COMPARE_WITH_TIMEOUT(reading(), Reading::clear, 10000);

        setQuiet(true);
        QTRY_VERIFY_WITH_TIMEOUT(app.appState.breakHold().held(), 10000);
        app.work(10);
        QCOMPARE(app.timer().state(), TimerState::breakWaiting);
        setQuiet(false);
        QTRY_COMPARE_WITH_TIMEOUT(reading(), Reading::clear, 10000);
        app.work(59);
        QVERIFY(app.fake.notifications.requests.isEmpty());
        app.work(1);
        QCOMPARE(app.fake.notifications.requests.first().title, "Time for a break!");
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
