// Wake-ups of the real program on each backend that runs here, with the user active and away.
//
//   bench_wakeups [SECONDS] [--follow] [--pipewire]     (default 10; run from the build tree, see README.md)
//
// With --follow, a `pelmix status --follow --json` (as a status bar runs it) follows the program
// on the backends that have a session bus, so its cost shows beside the figures without it.
// With --pipewire, a private PipeWire with WirePlumber and a recording pw-record run beside the
// program (in its runtime folder), so the cost of watching them for holds shows.
//
// For each backend the program runs in a throw-away home with an idle timeout of 3 s:
//   X11 XInput2                 a private Xvfb, XTest relative motion every 100 ms;
//   GNOME Mutter IdleMonitor    a headless Mutter on a private bus, RemoteDesktop motion every 100 ms;
//   ext-idle-notify-v1          the test compositor peer, which says resumed and, for the away
//                               phase, idled.
// A wake-up is a context switch of any of the program's threads (voluntary + involuntary, from
// /proc/PID/task/*/status), voluntary ones (the program waking for something) apart from all
// (with the preemptions a busy machine adds). "active" is SECONDS of input after 5 s of settling
// with input; "away" is SECONDS starting 5 s after the last input, once the program counts the
// user away and the work timer has stopped.
#include "TestIdleNotifyCompositor.h"
#include "support/ChildProcess.h"
#include "support/PelmixProcess.h"
#include "support/PrivateSessionBus.h"
#include "support/XvfbServer.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <cstdio>
#include <functional>

namespace {

struct Switches {
    double voluntary = 0;
    double all = 0;
};

Switches contextSwitches(qint64 pid)
{
    Switches total;
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile status(tasks.filePath(task) + "/status");
        if (!status.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &line : status.readAll().split('\n')) {
            const double count = line.split(':').value(1).trimmed().toDouble();
            if (line.startsWith("voluntary_ctxt_switches:"))
                total.voluntary += count;
            if (line.contains("voluntary_ctxt_switches:"))
                total.all += count;
        }
    }
    return total;
}

// Runs the event loop for `seconds`, calling `input` every 100 ms if there is one.
Switches wakeupsPerSecond(qint64 pid, int seconds, const std::function<void()> &input)
{
    QTimer ticker;
    if (input) {
        QObject::connect(&ticker, &QTimer::timeout, input);
        ticker.start(100);
    }
    const Switches before = contextSwitches(pid);
    QTest::qWait(seconds * 1000);
    const Switches after = contextSwitches(pid);
    return {(after.voluntary - before.voluntary) / seconds, (after.all - before.all) / seconds};
}

struct Backend {
    QString name;
    std::function<bool(PelmixProcess &)> setUp; // prepares the session and the program's environment
    std::function<void()> input;                // one input while active
    std::function<void()> goAway = [] {};
    std::function<void()> comeBack = input;
};

bool g_follow = false;
bool g_pipeWire = false;

void measure(const Backend &backend, int seconds)
{
    PelmixProcess pelmix;
    pelmix.setPreference("hasCompletedOnboarding", true);
    pelmix.setPreference("idleTimeout", 3);
    std::unique_ptr<PrivateSessionBus> pipeWireBus;
    std::unique_ptr<PrivatePipeWire> pipeWire;
    std::unique_ptr<ChildProcess> recorder;
    QTemporaryDir recordings;
    if (g_pipeWire) {
        QDir().mkpath(pelmix.home() + "/runtime");
        pipeWireBus = std::make_unique<PrivateSessionBus>();
        QProcessEnvironment environment = pelmix.environment();
        environment.insert("DBUS_SESSION_BUS_ADDRESS", pipeWireBus->address());
        pipeWire = std::make_unique<PrivatePipeWire>(environment);
        recorder = std::make_unique<ChildProcess>(
            "pw-record", QStringList{"--target", "test-microphone", recordings.filePath("in.wav")}, environment);
    }
    if (!backend.setUp(pelmix) || !pelmix.start()) {
        std::printf("%-26s could not be set up\n", qPrintable(backend.name));
        return;
    }
    const QString chosen = "ActivityMonitor: observing activity through " + backend.name;
    if (!pelmix.waitForLine(chosen)) {
        std::printf("%-26s not chosen:\n%s\n", qPrintable(backend.name), qPrintable(pelmix.lines().join('\n')));
        return;
    }
    const qint64 pid = pelmix.process().processId();
    QProcess follower;
    if (g_follow && pelmix.environment().contains("DBUS_SESSION_BUS_ADDRESS")) {
        follower.setProcessEnvironment(pelmix.environment());
        follower.start(PELMIX_BINARY, {"status", "--follow", "--json"});
    }
    // Start-up work (fonts, icons, Qt's thread pool) is over by then; input keeps the user present.
    wakeupsPerSecond(pid, 5, backend.input);
    const Switches active = wakeupsPerSecond(pid, seconds, backend.input);
    backend.goAway();
    QTest::qWait(5000);
    const Switches away = wakeupsPerSecond(pid, seconds, {});
    // And back: the presence log then reads PRESENT, AWAY, PRESENT.
    backend.comeBack();
    QTest::qWait(2000);
    QFile log(pelmix.dataFile("presence_log.txt"));
    log.open(QIODevice::ReadOnly);
    QStringList presence;
    for (const QByteArray &line : log.readAll().trimmed().split('\n'))
        presence.append(QString::fromUtf8(line.split(' ').last()));
    if (follower.state() == QProcess::Running)
        std::printf("(followed by pelmix status --follow) ");
    if (pipeWire)
        std::printf("(beside PipeWire and pw-record, %s) ",
                    pelmix.lines().contains("BreakHold: holding reminders (microphone in use)") ? "held" : "NOT HELD");
    std::printf("%-26s active %5.2f wake-ups/s (all switches %5.2f)   away %5.2f (all %5.2f)   presence log %s\n",
                qPrintable(backend.name), active.voluntary, active.all, away.voluntary, away.all,
                qPrintable(presence.join(" -> ")));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    g_follow = QCoreApplication::arguments().contains("--follow");
    g_pipeWire = QCoreApplication::arguments().contains("--pipewire");

    XvfbServer xserver;
    Display *injector = nullptr;
    const Backend x11{"X11 XInput2",
                      [&](PelmixProcess &pelmix) {
                          if (!xserver.start() || !(injector = XOpenDisplay(xserver.displayName().constData())))
                              return false;
                          pelmix.setDisplay(QString::fromLatin1(xserver.displayName()));
                          pelmix.setEnvironment("XDG_SESSION_TYPE", "x11");
                          pelmix.setEnvironment("QT_QPA_PLATFORM", "offscreen");
                          return true;
                      },
                      [&, sign = 1]() mutable {
                          sign = -sign;
                          XTestFakeRelativeMotionEvent(injector, 5 * sign, 5 * sign, CurrentTime);
                          XFlush(injector);
                      }};

    PrivateSessionBus bus;
    QProcess mutter;
    QDBusConnection remote(QString{});
    QString session;
    auto callSession = [&](const QString &method, const QVariantList &arguments = {}) {
        QDBusMessage call = QDBusMessage::createMethodCall("org.gnome.Mutter.RemoteDesktop", session,
                                                           "org.gnome.Mutter.RemoteDesktop.Session", method);
        call.setArguments(arguments);
        return remote.call(call);
    };
    const QString runtime = QDir::temp().filePath("pelmix-bench-wakeups");
    const Backend gnome{
        "GNOME Mutter IdleMonitor",
        [&](PelmixProcess &pelmix) {
            QDir().mkpath(runtime);
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("DBUS_SESSION_BUS_ADDRESS", bus.address());
            env.insert("XDG_RUNTIME_DIR", runtime);
            env.remove("DISPLAY");
            mutter.setProcessEnvironment(env);
            mutter.setStandardErrorFile(QProcess::nullDevice());
            mutter.start("mutter", {"--headless", "--wayland", "--no-x11", "--virtual-monitor", "1024x768",
                                    "--wayland-display", "pelmix-bench"});
            remote = bus.connect("injector");
            if (!QTest::qWaitFor(
                    [&] { return remote.interface()->isServiceRegistered("org.gnome.Mutter.RemoteDesktop"); }, 10000))
                return false;
            const QDBusMessage created = remote.call(
                QDBusMessage::createMethodCall("org.gnome.Mutter.RemoteDesktop", "/org/gnome/Mutter/RemoteDesktop",
                                               "org.gnome.Mutter.RemoteDesktop", "CreateSession"));
            session = created.arguments().value(0).value<QDBusObjectPath>().path();
            callSession("Start");
            pelmix.setSessionBus(bus.address());
            pelmix.setEnvironment("XDG_SESSION_TYPE", "wayland");
            pelmix.setEnvironment("WAYLAND_DISPLAY", runtime + "/pelmix-bench");
            pelmix.setEnvironment("QT_QPA_PLATFORM", "offscreen");
            return !session.isEmpty();
        },
        [&] {
            callSession("NotifyPointerMotionRelative", {3.0, 3.0});
        }};

    std::unique_ptr<TestIdleNotifyCompositor> peer;
    const Backend ext{"ext-idle-notify-v1",
                      [&](PelmixProcess &pelmix) {
                          qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
                          peer = std::make_unique<TestIdleNotifyCompositor>();
                          pelmix.setEnvironment("XDG_SESSION_TYPE", "wayland");
                          pelmix.setEnvironment("WAYLAND_DISPLAY", runtime + "/" + peer->socketName());
                          pelmix.setEnvironment("QT_QPA_PLATFORM", "offscreen");
                          return !peer->socketName().isEmpty();
                      },
                      {},
                      [&] { peer->sendIdled(); },
                      [&] { peer->sendResumed(); }};

    for (const Backend *backend : {&x11, &gnome, &ext})
        measure(*backend, seconds);
    std::printf("target: at most 1 wake-up/s of the presence path while active; away, nothing beyond the 1-s "
                "idle check\n");
    if (injector)
        XCloseDisplay(injector);
    if (mutter.state() != QProcess::NotRunning) {
        mutter.terminate();
        mutter.waitForFinished();
    }
    return 0;
}
