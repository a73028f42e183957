// The real program under a private X server with a temporary home: how it starts and ends; and
// a whole work interval, with XTest input making the user present, reminders arriving at a test
// notification server on a private session bus and the sessions landing in the history file, on
// a desktop with no tray at all, where the main window is the program's only home.
#include "support/ChildProcess.h"
#include "support/PelmixProcess.h"
#include "support/PrivateSessionBus.h"
#include "support/TestFiles.h"
#include "support/TestNotificationServer.h"
#include "support/X11Windows.h"
#include "support/XvfbServer.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <csignal>

namespace {

constexpr int kWaitMs = 15000;

// The program's mapped main window; without a window manager it is a child of the root.
Window mainWindow(Display *display)
{
    for (const X11Window &window : pelmixWindows(display)) {
        if (window.geometry.width() >= 500)
            return window.id;
    }
    return 0;
}

void askToClose(Display *display, Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

int indexOfSummary(const TestNotificationServer &server, const QString &summary)
{
    for (int i = 0; i < server.received.size(); ++i) {
        if (server.received[i].summary == summary)
            return i;
    }
    return -1;
}

// The history file's sessions, each as "work 10 completed" or "break 3 cut short".
QStringList sessions(const PelmixProcess &pelmix)
{
    QStringList result;
    for (const QJsonValue session : QJsonDocument::fromJson(readFile(pelmix.dataFile("sessions.json"))).array()) {
        result << QStringLiteral("%1 %2 %3")
                      .arg(session["type"].toString())
                      .arg(session["durationSeconds"].toInt())
                      .arg(session["completed"].toBool() ? "completed" : "cut short");
    }
    return result;
}

// The signals of one kind a connection receives.
class SignalRecorder : public QObject {
    Q_OBJECT
public slots:
    void record(const QDBusMessage &message) { messages.append(message); }

public:
    QList<QDBusMessage> messages;
};

QString interfaceElement(const QString &text)
{
    const qsizetype start = text.indexOf(QStringLiteral("  <interface name=\"org.pelmix.Pelmix1\">"));
    return start < 0 ? QString() : text.mid(start, text.indexOf(QStringLiteral("  </interface>"), start) - start);
}

} // namespace

class ProgramTest : public QObject {
    Q_OBJECT

    XvfbServer m_xserver;
    Display *m_display = nullptr;

    // Keeps the user active until `done` holds, or fails after `timeoutMs`.
    bool keepActiveUntil(const std::function<bool()> &done, int timeoutMs)
    {
        QDeadlineTimer deadline(timeoutMs);
        for (int direction = 1; !done(); direction = -direction) {
            if (deadline.hasExpired())
                return false;
            XTestFakeRelativeMotionEvent(m_display, 3 * direction, 0, CurrentTime);
            XFlush(m_display);
            QTest::qWait(200);
        }
        return true;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_xserver.start(), qPrintable(m_xserver.errorString()));
        m_display = openInspectingDisplay(m_xserver.displayName());
        QVERIFY(m_display);
    }

    void cleanupTestCase()
    {
        if (m_display)
            XCloseDisplay(m_display);
    }

    void withoutADisplayItSaysSoAndFails()
    {
        PelmixProcess pelmix;
        QVERIFY(pelmix.start());
        QVERIFY(pelmix.process().waitForFinished());
        QCOMPARE(pelmix.process().exitCode(), 1);
        const QByteArray error = pelmix.process().readAllStandardError();
        QCOMPARE(error.count('\n'), 1);
        QVERIFY(error.contains("graphical desktop session"));
    }

    // Each of the signals that a logout, a terminal or a service manager sends ends it cleanly.
    void launchesInOrderAndEndsCleanlyOnSignals_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }

    void launchesInOrderAndEndsCleanlyOnSignals()
    {
        QFETCH(int, signalNumber);
        PelmixProcess pelmix;
        pelmix.setDisplay(QString::fromLatin1(m_xserver.displayName()));
        QVERIFY(pelmix.start());
        // No session bus here: both permission requests (the work timer's at creation, the
        // manager's at start) are refused, and the program carries on.
        QVERIFY2(pelmix.waitForLine("Notification permission granted: false", 2),
                 qPrintable(pelmix.lines().join('\n')));
        const QStringList &lines = pelmix.lines();
        const auto launched = lines.indexOf("AppDelegate: applicationDidFinishLaunching");
        QVERIFY(launched >= 0);
        QCOMPARE(lines.indexOf("AppState: start() called"), launched + 1);
        QVERIFY(pelmix.stopWith(signalNumber));
    }

    // The display going away (the X server dies) records what a quit records: the open work
    // session and the current task's focus time.
    void losingTheDisplayRecordsTheOpenSession()
    {
        XvfbServer xserver;
        QVERIFY2(xserver.start(), qPrintable(xserver.errorString()));
        PelmixProcess pelmix;
        pelmix.setDisplay(QString::fromLatin1(xserver.displayName()));
        pelmix.setPreference("hasCompletedOnboarding", true);
        writeFile(pelmix.dataFile("todos.json"),
                  R"([{"id":"00000000-0000-0000-0000-00000000000A","title":"Write","status":"in_progress",)"
                  R"("createdAt":1,"totalFocusSeconds":0}])");
        QVERIFY(pelmix.start());
        QVERIFY(pelmix.waitForLine("AppState: start() called"));
        QProcess input;
        input.setProcessEnvironment(pelmix.environment());
        for (int i = 0; i < 8; ++i) {
            input.start("xdotool", {"mousemove_relative", "--", i % 2 ? "-3" : "3", "0"});
            input.waitForFinished();
            QTest::qWait(400);
        }
        xserver.stop();
        QVERIFY(pelmix.process().waitForFinished(kWaitMs));
        const QStringList recorded = sessions(pelmix);
        QCOMPARE(recorded.size(), 1);
        QVERIFY2(QRegularExpression("^work [2-9] cut short$").match(recorded[0]).hasMatch(), qPrintable(recorded[0]));
        const auto task = QJsonDocument::fromJson(readFile(pelmix.dataFile("todos.json"))).array().first();
        QVERIFY(task["totalFocusSeconds"].toInt() >= 2);
    }

    // The wall clock of the program alone set an hour ahead while the user types (through
    // libfaketime): no time away, and the work session's length is the real one.
    void aClockSetWhileTypingIsNoTimeAway()
    {
        const QString library = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1";
        QVERIFY2(QFileInfo::exists(library), "libfaketime is not installed (Debian: libfaketime)");
        PelmixProcess pelmix;
        const QString offsetFile = pelmix.home() + "/faketime.rc";
        writeFile(offsetFile, "+0\n");
        pelmix.setDisplay(QString::fromLatin1(m_xserver.displayName()));
        pelmix.setPreference("hasCompletedOnboarding", true);
        pelmix.setPreference("workDuration", 0);
        for (const auto &[name, value] : {std::pair{"LD_PRELOAD", library},
                                          {"FAKETIME_TIMESTAMP_FILE", offsetFile},
                                          {"FAKETIME_CACHE_DURATION", QString("1")},
                                          {"FAKETIME_DONT_FAKE_MONOTONIC", QString("1")}})
            pelmix.setEnvironment(name, value);
        QVERIFY(pelmix.start());
        QVERIFY(pelmix.waitForLine("AppState: start() called"));
        QVERIFY(keepActiveUntil([&] { return readFile(pelmix.dataFile("presence_log.txt")).contains("PRESENT"); },
                                kWaitMs));
        QTest::qWait(1500);
        writeFile(offsetFile, "+3600\n");
        QVERIFY2(keepActiveUntil([&] { return !sessions(pelmix).isEmpty(); }, 20000),
                 qPrintable(pelmix.lines().join('\n')));
        QVERIFY(pelmix.lines().contains("ActivityMonitor: the clock was set 3600 s"));
        QCOMPARE(sessions(pelmix), QStringList{"work 10 completed"});
        const auto session = QJsonDocument::fromJson(readFile(pelmix.dataFile("sessions.json"))).array().first();
        QVERIFY(qAbs(session["endTime"].toDouble() - session["startTime"].toDouble() - 10) < 2);
        QVERIFY(!readFile(pelmix.dataFile("presence_log.txt")).contains("AWAY"));
        QVERIFY(pelmix.stopWith(SIGTERM));
    }

    // Two runtime folders, one home: the second finds the data taken and leaves; with no
    // session bus at all, none is started behind the program's back.
    void oneInstancePerDataFolderAndNoStrayBus()
    {
        PelmixProcess pelmix;
        pelmix.setDisplay(QString::fromLatin1(m_xserver.displayName()));
        pelmix.setSessionBus(QString());
        QVERIFY(pelmix.start());
        QVERIFY2(pelmix.waitForLine("Notification permission granted: false"), qPrintable(pelmix.lines().join('\n')));
        QVERIFY(pelmix.lines().contains(
            "GraphicalSession: no session bus: no notifications and no StatusNotifierItem tray"));
        const QString home = "HOME=" + pelmix.home();
        for (const QString &pid : QDir("/proc").entryList({"[0-9]*"}, QDir::Dirs)) {
            if (pid.toLongLong() != pelmix.process().processId())
                QVERIFY2(!readFile("/proc/" + pid + "/environ").split('\0').contains(home.toLocal8Bit()),
                         qPrintable(pid));
        }

        QTemporaryDir otherRuntime;
        pelmix.setEnvironment("XDG_RUNTIME_DIR", otherRuntime.path());
        auto second = pelmix.startInstance();
        QVERIFY(second->waitForFinished(kWaitMs));
        QCOMPARE(second->exitCode(), 0);
        QVERIFY(second->readAllStandardOutput().contains("SingleInstance: Pelmix is already running with this data"));
        QCOMPARE(pelmix.process().state(), QProcess::Running);
        QVERIFY(pelmix.stopWith(SIGTERM));
    }

    // Status bars and scripts: the interface on the session bus as its document shows it, the
    // command line over it, bad arguments refused, and a change announced once.
    void otherProgramsReachTheRunningOne()
    {
        PrivateSessionBus bus;
        QVERIFY2(bus.isRunning(), qPrintable(bus.errorString()));
        PelmixProcess pelmix;
        pelmix.setDisplay(QString::fromLatin1(m_xserver.displayName()));
        pelmix.setSessionBus(bus.address());
        pelmix.setPreference("hasCompletedOnboarding", true);
        const auto client = [&pelmix](const QStringList &arguments) {
            QProcess process;
            process.setProcessEnvironment(pelmix.environment());
            process.setProcessChannelMode(QProcess::MergedChannels);
            process.start(PELMIX_BINARY, arguments);
            process.waitForFinished(10000);
            return std::pair(process.exitCode(), QString::fromUtf8(process.readAll()));
        };
        QCOMPARE(client({"status"}), std::pair(1, QStringLiteral("pelmix: Pelmix is not running\n")));
        QVERIFY(pelmix.start());
        QDBusConnection connection = bus.connect("client");
        QTRY_VERIFY_WITH_TIMEOUT(connection.interface()->isServiceRegistered("org.pelmix.Pelmix"), kWaitMs);
        const QDBusMessage introspection = connection.call(QDBusMessage::createMethodCall(
            "org.pelmix.Pelmix", "/org/pelmix/Pelmix", "org.freedesktop.DBus.Introspectable", "Introspect"));
        const QString documented =
            interfaceElement(QString::fromUtf8(readFile(PELMIX_TEST_SOURCE_DIR "/../docs/dbus.md")));
        QVERIFY(!documented.isEmpty());
        QCOMPARE(interfaceElement(introspection.arguments().value(0).toString()), documented);

        QProcess follower;
        follower.setProcessEnvironment(pelmix.environment());
        follower.start(PELMIX_BINARY, {"status", "--follow"});
        QTRY_VERIFY_WITH_TIMEOUT(follower.canReadLine(), kWaitMs);
        SignalRecorder changes;
        QVERIFY(connection.connect("org.pelmix.Pelmix", "/org/pelmix/Pelmix", "org.freedesktop.DBus.Properties",
                                   "PropertiesChanged", &changes, SLOT(record(QDBusMessage))));
        const std::pair<QStringList, std::pair<int, QString>> commands[] = {
            {{"status"}, {0, "Working, break in 25 min\n"}},
            {{"snooze", "20"}, {0, ""}},
            {{"status"}, {0, "Snoozed, 20 min left\n"}},
            {{"snooze", "0"}, {1, "pelmix: snooze takes 1 to 240 minutes\n"}},
            {{"show", "nowhere"}, {1, "pelmix: no section nowhere (focus, stats, settings, about)\n"}},
            {{"status", "--follow", "--json", "extra"}, {2, ""}},
        };
        for (const auto &[arguments, answer] : commands) {
            const auto [code, output] = client(arguments);
            QCOMPARE(code, answer.first);
            QVERIFY2(answer.second.isEmpty() ? code == 0 || output.contains("Usage:") : output.endsWith(answer.second),
                     qPrintable(arguments.join(' ') + ": [" + output + "]"));
        }
        QTRY_COMPARE(changes.messages.size(), 1); // the snooze, once, and nothing for its countdown
        QTest::qWait(2500);
        QCOMPARE(changes.messages.size(), 1);
        const QVariantMap changed = qdbus_cast<QVariantMap>(changes.messages.first().arguments().value(1));
        QCOMPARE(changed.value("State").toString(), "snoozed");
        QVERIFY(std::abs(changed.value("DueAt").toLongLong() - QDateTime::currentSecsSinceEpoch() - 1200) <= 5);
        QDBusMessage badSnooze =
            QDBusMessage::createMethodCall("org.pelmix.Pelmix", "/org/pelmix/Pelmix", "org.pelmix.Pelmix1", "Snooze");
        badSnooze << 241u;
        QCOMPARE(connection.call(badSnooze).errorName(), "org.freedesktop.DBus.Error.InvalidArgs");

        QCOMPARE(follower.readAll(), "Working, break in 25 min\nSnoozed, 20 min left\n"); // a line at each change
        QDBusMessage exported =
            QDBusMessage::createMethodCall("org.pelmix.Pelmix", "/org/pelmix/Pelmix", "org.pelmix.Pelmix1", "Export");
        exported << "csv"
                 << ""
                 << "";
        QVERIFY(connection.call(exported).arguments().value(0).toString().startsWith("start,end,duration_seconds"));
        QCOMPARE(client({"break"}).first, 0);
        QCOMPARE(client({"status"}).second, "On a break, 5 min left\n");

        QCOMPARE(client({"quit"}).first, 0);
        QVERIFY(follower.waitForFinished(kWaitMs));
        QVERIFY(pelmix.process().waitForFinished(kWaitMs));
        QCOMPARE(pelmix.process().exitCode(), 0);
    }

    // Developer lengths keep the work interval to seconds. The history found at start cannot be
    // read: it is kept aside, told in a notification that opens its folder, and a new one begins.
    // The real program holds its reminders while a real PipeWire client records, and while a
    // window is full screen.
    void aRecordingOrAFullScreenWindowHoldsTheReminders()
    {
        PrivateSessionBus bus;
        PelmixProcess pelmix;
        pelmix.setDisplay(QString::fromLatin1(m_xserver.displayName()));
        pelmix.setSessionBus(bus.address());
        QVERIFY(QDir().mkpath(pelmix.home() + "/runtime"));
        PrivatePipeWire pipeWire(pelmix.environment());
        QVERIFY(pipeWire.isReady());
        QTemporaryDir folder;
        auto recorder = std::make_unique<ChildProcess>(
            "pw-record", QStringList{"--target", "test-microphone", folder.filePath("in.wav")}, pelmix.environment());
        QVERIFY(pelmix.start());
        QVERIFY2(pelmix.waitForLine("BreakHold: holding reminders (microphone in use)"),
                 qPrintable(pelmix.lines().join('\n')));
        recorder.reset();
        QVERIFY2(pelmix.waitForLine("BreakHold: hold ended (microphone in use), reminders resume in a minute"),
                 qPrintable(pelmix.lines().join('\n')));

        // A window manager coming up after the program, and a window of another program put in full screen.
        ChildProcess manager("jwm", {}, pelmix.environment());
        ChildProcess slides("xmessage", {"-title", "slides", "Presenting"}, pelmix.environment());
        QTRY_VERIFY_WITH_TIMEOUT(manager.run("wmctrl", {"-a", "slides"}), 10000);
        QVERIFY(manager.run("wmctrl", {"-r", "slides", "-b", "add,fullscreen"}));
        QVERIFY2(pelmix.waitForLine("BreakHold: holding reminders (full-screen window)"),
                 qPrintable(pelmix.lines().join('\n')));
        QVERIFY(pelmix.stopWith(SIGTERM));
    }

    void workBreakAndTermination()
    {
        PrivateSessionBus bus;
        QVERIFY2(bus.isRunning(), qPrintable(bus.errorString()));
        TestNotificationServer server;
        QVERIFY(server.registerOn(bus.connect("notification-server")));
        PelmixProcess pelmix;
        pelmix.setDisplay(QString::fromLatin1(m_xserver.displayName()));
        pelmix.setSessionBus(bus.address());
        pelmix.setPreference("hasCompletedOnboarding", true);
        pelmix.setPreference("workDuration", 0);
        pelmix.setPreference("shortBreakDuration", 0);
        writeFile(pelmix.dataFile("sessions.json"), "[{\"id\":");
        QVERIFY(pelmix.start());
        QVERIFY2(pelmix.waitForLine("AppState: start() called"), qPrintable(pelmix.lines().join('\n')));
        QTRY_VERIFY_WITH_TIMEOUT(indexOfSummary(server, "Pelmix could not read your history") >= 0, kWaitMs);
        const auto told = server.received[indexOfSummary(server, "Pelmix could not read your history")];
        QVERIFY2(told.body.contains(" as sessions.json.unreadable-") &&
                     told.body.contains(" in " + QFileInfo(pelmix.dataFile("x")).path() + ","),
                 qPrintable(told.body));
        QCOMPARE(told.actions, (QStringList{"OPEN_DATA_FOLDER", "Open Folder"}));
        // With no tray of any kind (no XEmbed tray manager, no StatusNotifierWatcher: stock GNOME)
        // the main window is the home: shown at launch, and closing it leaves the program running.
        QTRY_VERIFY_WITH_TIMEOUT(mainWindow(m_display) != 0, kWaitMs);
        askToClose(m_display, mainWindow(m_display));
        QTRY_VERIFY_WITH_TIMEOUT(mainWindow(m_display) == 0, kWaitMs);

        // Ten seconds of work bring the reminder; its snooze button snoozes the work timer.
        QVERIFY2(keepActiveUntil([&] { return indexOfSummary(server, "Time for a break!") >= 0; }, 20000),
                 qPrintable(pelmix.lines().join('\n')));
        const auto reminder = server.received[indexOfSummary(server, "Time for a break!")];
        QCOMPARE(reminder.body, "Step away from the computer for 0 min");
        QVERIFY(pelmix.lines().contains("Notification permission granted: true"));
        server.invokeAction(reminder.id, "SNOOZE_30_MIN");
        QVERIFY(pelmix.waitForLine("WorkTimer: Snooze triggered for 30 minutes"));

        // Without input the break counts after 5 idle seconds and is over 5 seconds later.
        QVERIFY2(QTest::qWaitFor([&] { return indexOfSummary(server, "Break complete!") >= 0; }, 20000),
                 qPrintable(pelmix.lines().join('\n')));
        QCOMPARE(sessions(pelmix), (QStringList{"work 10 completed", "break 5 completed"}));
        // A second launch hands over, without starting, and brings the window back.
        auto second = pelmix.startInstance();
        QVERIFY(second->waitForFinished(10000));
        QVERIFY(second->exitStatus() == QProcess::NormalExit && second->exitCode() == 0);
        QVERIFY(!second->readAllStandardOutput().contains("AppState: start() called"));
        QTRY_VERIFY_WITH_TIMEOUT(mainWindow(m_display) != 0, kWaitMs);

        // Back at work for a few seconds, then the desktop logs out.
        const auto presentTurns = [&] { return readFile(pelmix.dataFile("presence_log.txt")).count(" | PRESENT\n"); };
        const auto turnsBefore = presentTurns();
        QVERIFY(keepActiveUntil([&] { return presentTurns() > turnsBefore; }, 5000));
        QTest::qWait(3000);
        QVERIFY(pelmix.stopWith(SIGTERM));
        const QStringList afterExit = sessions(pelmix);
        QCOMPARE(afterExit.size(), 3);
        QVERIFY2(QRegularExpression("^work ([2-9]|\\d\\d+) cut short$").match(afterExit[2]).hasMatch(),
                 qPrintable(afterExit[2]));
    }
};

QTEST_GUILESS_MAIN(ProgramTest)
#include "tst_e2e_program.moc"
