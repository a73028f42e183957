#include "support/PelmixProcess.h"
#include "support/PrivateSessionBus.h"
#include "support/TestNotificationServer.h"
#include "support/XvfbServer.h"

#include <QTest>

#include <csignal>

// The real program asks the session bus it is given whether a notification server answers.
class NotificationPermissionTest : public QObject {
    Q_OBJECT

    // Without an X11 display the program cannot observe input: it would stop at the modal
    // alert that says so, before it asks for the notification permission.
    XvfbServer m_xserver;

    void startOn(PelmixProcess &pelmix, const PrivateSessionBus &bus)
    {
        pelmix.setDisplay(QString::fromLatin1(m_xserver.displayName()));
        pelmix.setSessionBus(bus.address());
        QVERIFY(pelmix.start());
    }

private slots:
    void initTestCase() { QVERIFY2(m_xserver.start(), qPrintable(m_xserver.errorString())); }

    void grantedWhenAServerAnswers()
    {
        PrivateSessionBus bus;
        QVERIFY2(bus.isRunning(), qPrintable(bus.errorString()));
        TestNotificationServer server;
        QVERIFY(server.registerOn(bus.connect(QStringLiteral("server"))));

        PelmixProcess pelmix;
        startOn(pelmix, bus);
        // The in-process server answers from this event loop, which the wait keeps running.
        const bool granted = pelmix.waitForLine(QStringLiteral("Notification permission granted: true"), 2);
        QVERIFY(pelmix.stopWith(SIGTERM));
        const QStringList &lines = pelmix.lines();
        QVERIFY2(granted, qPrintable(lines.join('\n')));
        QVERIFY(lines.contains(QStringLiteral("AppState: start() called")));
        QVERIFY(server.serverInformationRequests >= 2);
        QVERIFY(!lines.join('\n').contains(QStringLiteral("error")));
    }

    void refusedWithTheReasonWithoutAServer()
    {
        PrivateSessionBus bus;
        QVERIFY2(bus.isRunning(), qPrintable(bus.errorString()));

        PelmixProcess pelmix;
        startOn(pelmix, bus);
        // Two answers: the work timer asks when it is created, the manager when the program starts.
        const QString refused = QStringLiteral("Notification permission granted: false");
        const bool answered = pelmix.waitForLine(refused, 2);
        QVERIFY(pelmix.stopWith(SIGTERM));
        const QStringList &lines = pelmix.lines();
        QVERIFY2(answered, qPrintable(lines.join('\n')));
        const qsizetype timerAnswer = lines.indexOf(refused);
        QVERIFY(lines.value(timerAnswer + 1).startsWith(QStringLiteral("Notification error: ")));
        const qsizetype managerAnswer = lines.lastIndexOf(refused);
        QVERIFY(managerAnswer > timerAnswer);
        QVERIFY2(lines[managerAnswer - 1].startsWith(QStringLiteral("Notification permission error: ")) &&
                     lines[managerAnswer - 1].contains(QStringLiteral("org.freedesktop.Notifications")),
                 qPrintable(lines[managerAnswer - 1]));
    }
};

QTEST_GUILESS_MAIN(NotificationPermissionTest)
#include "tst_e2e_notification_permission.moc"
