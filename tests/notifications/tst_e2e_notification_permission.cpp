#include "support/PrivateSessionBus.h"
#include "support/TestNotificationServer.h"
#include "support/XvfbServer.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The real program asks the session bus it is given whether a notification server answers.
class NotificationPermissionTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void grantedWhenAServerAnswers();
    void refusedWithTheReasonWithoutAServer();

private:
    std::unique_ptr<QProcess> startPelmix(const PrivateSessionBus &bus);
    // Keeps the event loop running (the in-process server answers from it) until `line` is out.
    static bool waitForLine(QProcess &process, const QString &line, QStringList &lines, qsizetype times = 1);
    static void stop(QProcess &process);

    QTemporaryDir m_home;
    // Without an X11 display the program cannot observe input: it would stop at the modal
    // alert that says so, before it asks for the notification permission.
    XvfbServer m_xserver;
};

void NotificationPermissionTest::initTestCase() { QVERIFY2(m_xserver.start(), qPrintable(m_xserver.errorString())); }

std::unique_ptr<QProcess> NotificationPermissionTest::startPelmix(const PrivateSessionBus &bus)
{
    QProcessEnvironment env;
    env.insert("PATH", qEnvironmentVariable("PATH"));
    env.insert("HOME", m_home.path());
    env.insert("XDG_CONFIG_HOME", m_home.path() + "/.config");
    env.insert("XDG_RUNTIME_DIR", m_home.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("DISPLAY", QString::fromLatin1(m_xserver.displayName()));
    env.insert("DBUS_SESSION_BUS_ADDRESS", bus.address());
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(env);
    process->start(PELMIX_BINARY, {});
    return process;
}

bool NotificationPermissionTest::waitForLine(QProcess &process, const QString &line, QStringList &lines,
                                             qsizetype times)
{
    QByteArray pending;
    const bool found = QTest::qWaitFor(
        [&] {
            pending += process.readAllStandardOutput();
            while (pending.contains('\n')) {
                const qsizetype end = pending.indexOf('\n');
                lines.append(QString::fromUtf8(pending.left(end)));
                pending.remove(0, end + 1);
            }
            return lines.count(line) >= times || process.state() == QProcess::NotRunning;
        },
        15000);
    return found && lines.count(line) >= times;
}

void NotificationPermissionTest::stop(QProcess &process)
{
    process.terminate();
    if (!process.waitForFinished(5000))
        process.kill();
}

void NotificationPermissionTest::grantedWhenAServerAnswers()
{
    PrivateSessionBus bus;
    QVERIFY2(bus.isRunning(), qPrintable(bus.errorString()));
    TestNotificationServer server;
    QVERIFY(server.registerOn(bus.connect(QStringLiteral("server"))));

    auto pelmix = startPelmix(bus);
    QStringList lines;
    const bool granted = waitForLine(*pelmix, QStringLiteral("Notification permission granted: true"), lines);
    stop(*pelmix);
    QVERIFY2(granted, qPrintable(lines.join('\n')));
    QVERIFY(lines.indexOf(QStringLiteral("AppState: start() called")) >= 0);
    QVERIFY(server.serverInformationRequests >= 1);
    QVERIFY(!lines.join('\n').contains(QStringLiteral("Notification permission error")));
}

void NotificationPermissionTest::refusedWithTheReasonWithoutAServer()
{
    PrivateSessionBus bus;
    QVERIFY2(bus.isRunning(), qPrintable(bus.errorString()));

    auto pelmix = startPelmix(bus);
    QStringList lines;
    // Two answers: the work timer asks when it is created, the manager when the program starts.
    const QString refused = QStringLiteral("Notification permission granted: false");
    const bool answered = waitForLine(*pelmix, refused, lines, 2);
    stop(*pelmix);
    QVERIFY2(answered, qPrintable(lines.join('\n')));
    const qsizetype timerAnswer = lines.indexOf(refused);
    QVERIFY(lines.value(timerAnswer + 1).startsWith(QStringLiteral("Notification error: ")));
    const qsizetype granted = lines.lastIndexOf(refused);
    QVERIFY(granted > timerAnswer);
    QVERIFY2(lines[granted - 1].startsWith(QStringLiteral("Notification permission error: ")) &&
                 lines[granted - 1].contains(QStringLiteral("org.freedesktop.Notifications")),
             qPrintable(lines[granted - 1]));
}

QTEST_GUILESS_MAIN(NotificationPermissionTest)
#include "tst_e2e_notification_permission.moc"
