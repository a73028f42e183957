#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

// The real program under a private X server with a temporary home.
class StartupTest : public QObject {
    Q_OBJECT

    QProcess m_xserver;
    QString m_display;
    QTemporaryDir m_home;

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env;
        env.insert("PATH", qEnvironmentVariable("PATH"));
        env.insert("HOME", m_home.path());
        env.insert("XDG_CONFIG_HOME", m_home.path() + "/.config");
        env.insert("XDG_RUNTIME_DIR", m_home.path() + "/runtime");
        env.insert("DISPLAY", m_display);
        env.insert("DBUS_SESSION_BUS_ADDRESS", "disabled:");
        return env;
    }

    std::unique_ptr<QProcess> startPelmix()
    {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(environment());
        process->setProcessChannelMode(QProcess::MergedChannels);
        process->start(PELMIX_BINARY, {});
        return process;
    }

    static bool waitForLine(QProcess &process, const QString &line, QString &output)
    {
        QDeadlineTimer deadline(15000);
        while (!output.contains(line + "\n") && !deadline.hasExpired()) {
            process.waitForReadyRead(100);
            output += QString::fromUtf8(process.readAll());
        }
        return output.contains(line + "\n");
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        QDir().mkpath(m_home.path() + "/runtime");
        QFile::setPermissions(m_home.path() + "/runtime", QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                              QFileDevice::ExeOwner);
        // -displayfd makes the server choose a free display and tell us its number.
        m_xserver.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        QVERIFY(m_xserver.waitForStarted());
        QDeadlineTimer deadline(10000);
        QByteArray number;
        while (!number.contains('\n') && !deadline.hasExpired()) {
            m_xserver.waitForReadyRead(100);
            number += m_xserver.readAllStandardOutput();
        }
        QVERIFY2(number.contains('\n'), "Xvfb did not report a display");
        m_display = ":" + QString::fromLatin1(number.trimmed());
    }

    void cleanupTestCase()
    {
        m_xserver.terminate();
        m_xserver.waitForFinished();
    }

    void withoutADisplayItSaysSoAndFails()
    {
        QProcess process;
        QProcessEnvironment env = environment();
        env.remove("DISPLAY");
        process.setProcessEnvironment(env);
        process.start(PELMIX_BINARY, {});
        QVERIFY(process.waitForFinished());
        QCOMPARE(process.exitCode(), 1);
        QCOMPARE(process.readAllStandardError().count('\n'), 1);
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
        auto first = startPelmix();
        QString output;
        QVERIFY2(waitForLine(*first, "AppState: start() called", output), qPrintable(output));
        const QStringList lines = output.split('\n', Qt::SkipEmptyParts);
        const auto launched = lines.indexOf("AppDelegate: applicationDidFinishLaunching");
        QVERIFY(launched >= 0);
        QCOMPARE(lines.indexOf("AppState: start() called"), launched + 1);

        auto second = startPelmix();
        QVERIFY(second->waitForFinished(10000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QVERIFY(!second->readAll().contains("AppState: start() called"));
        QCOMPARE(first->state(), QProcess::Running);

        ::kill(static_cast<pid_t>(first->processId()), signalNumber);
        QVERIFY(first->waitForFinished(2000));
        QCOMPARE(first->exitStatus(), QProcess::NormalExit);
        QCOMPARE(first->exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(StartupTest)
#include "tst_e2e_startup.moc"
