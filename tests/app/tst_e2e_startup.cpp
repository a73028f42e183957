#include "support/PelmixProcess.h"
#include "support/XvfbServer.h"

#include <QTest>

#include <csignal>

// The real program under a private X server with a temporary home.
class StartupTest : public QObject {
    Q_OBJECT

    XvfbServer m_xserver;

private slots:
    void initTestCase() { QVERIFY2(m_xserver.start(), qPrintable(m_xserver.errorString())); }

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

    void startsSecondInstanceDefersAndTerminationSignalsEndCleanly_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }

    void startsSecondInstanceDefersAndTerminationSignalsEndCleanly()
    {
        QFETCH(int, signalNumber);
        PelmixProcess pelmix;
        pelmix.setDisplay(QString::fromLatin1(m_xserver.displayName()));
        QVERIFY(pelmix.start());
        QVERIFY2(pelmix.waitForLine("AppState: start() called"), qPrintable(pelmix.lines().join('\n')));
        const QStringList &lines = pelmix.lines();
        const auto launched = lines.indexOf("AppDelegate: applicationDidFinishLaunching");
        QVERIFY(launched >= 0);
        QCOMPARE(lines.indexOf("AppState: start() called"), launched + 1);

        // No session bus here: both permission requests (the work timer's at creation, the
        // manager's at start) are refused with the reason, and the program carries on.
        const QString refused = QStringLiteral("Notification permission granted: false");
        QVERIFY2(pelmix.waitForLine(refused, 2), qPrintable(lines.join('\n')));
        const qsizetype managerAnswer = lines.lastIndexOf(refused);
        QVERIFY(managerAnswer > launched);
        QVERIFY(lines[managerAnswer - 1].startsWith("Notification permission error: "));
        QVERIFY(lines[lines.indexOf(refused) + 1].startsWith("Notification error: "));

        auto second = pelmix.startInstance();
        QVERIFY(second->waitForFinished(10000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QVERIFY(!second->readAllStandardOutput().contains("AppState: start() called"));
        QCOMPARE(pelmix.process().state(), QProcess::Running);

        QVERIFY(pelmix.stopWith(signalNumber));
    }
};

QTEST_GUILESS_MAIN(StartupTest)
#include "tst_e2e_startup.moc"
