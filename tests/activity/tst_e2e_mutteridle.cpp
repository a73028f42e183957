// The GNOME backend against a real headless Mutter on a private session bus, with input
// injected through Mutter's RemoteDesktop interface. Reports run on virtual time; Mutter's
// idleness (1 s) is waited for on its signals.
#include "platform/linux/MutterIdleTap.h"
#include "platform/linux/SessionInputMonitoring.h"
#include "support/FakeMainLoop.h"
#include "support/PrivateSessionBus.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace {

constexpr int kWaitMs = 8000;
const QString kRemoteDesktop = QStringLiteral("org.gnome.Mutter.RemoteDesktop");

} // namespace

class MutterIdleTest : public QObject {
    Q_OBJECT

    QDBusMessage callRemoteDesktop(const QString &path, const QString &method, const QVariantList &arguments = {})
    {
        const QString interface = path.contains("Session") ? kRemoteDesktop + ".Session" : kRemoteDesktop;
        QDBusMessage call = QDBusMessage::createMethodCall(kRemoteDesktop, path, interface, method);
        call.setArguments(arguments);
        return m_connection.call(call);
    }
    void movePointer()
    {
        const QDBusMessage reply =
            callRemoteDesktop(m_session, QStringLiteral("NotifyPointerMotionRelative"), {10.0, -10.0});
        QVERIFY2(reply.type() == QDBusMessage::ReplyMessage, qPrintable(reply.errorMessage()));
    }

    PrivateSessionBus m_bus;
    QProcess m_mutter;
    QDBusConnection m_connection{QString()};
    QString m_session;

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("mutter").isEmpty())
            QSKIP("mutter is not installed");
        QVERIFY2(m_bus.isRunning(), qPrintable(m_bus.errorString()));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DBUS_SESSION_BUS_ADDRESS", m_bus.address());
        env.remove("DISPLAY");
        m_mutter.setProcessEnvironment(env);
        m_mutter.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_mutter.start("mutter", {"--headless", "--wayland", "--no-x11", "--virtual-monitor", "1024x768",
                                  "--wayland-display", "pelmix-test-mutter"});
        QVERIFY2(m_mutter.waitForStarted(), qPrintable(m_mutter.errorString()));
        m_connection = m_bus.connect(QStringLiteral("injector"));
        QTRY_VERIFY_WITH_TIMEOUT(m_connection.interface()->isServiceRegistered(kRemoteDesktop), kWaitMs);
        const QDBusMessage created = callRemoteDesktop("/org/gnome/Mutter/RemoteDesktop", "CreateSession");
        QVERIFY2(created.type() == QDBusMessage::ReplyMessage, qPrintable(created.errorMessage()));
        m_session = created.arguments().value(0).value<QDBusObjectPath>().path();
        QCOMPARE(callRemoteDesktop(m_session, "Start").type(), QDBusMessage::ReplyMessage);
    }

    void cleanupTestCase()
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("injector"));
        m_mutter.terminate();
        if (!m_mutter.waitForFinished(5000))
            m_mutter.kill();
        m_mutter.waitForFinished();
    }

    void isChosenOnAGnomeSession()
    {
        qputenv("XDG_SESSION_TYPE", "wayland");
        qputenv("WAYLAND_DISPLAY", "pelmix-test-mutter");
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_bus.address().toUtf8());
        FakeMainLoop loop;
        SessionInputMonitoring monitoring(loop);
        QVERIFY(monitoring.isTrusted());
        QCOMPARE(monitoring.methodName(), QStringLiteral("GNOME Mutter IdleMonitor"));
    }

    void reportsOnInputAndGoesQuietWhenIdle()
    {
        FakeMainLoop loop;
        int reports = 0;
        auto tap = MutterIdleTap::create(m_connection, loop, [&] { ++reports; });
        QVERIFY(tap);
        // No input since Mutter started: idle, and nothing to wake up for.
        QTRY_VERIFY_WITH_TIMEOUT(tap->isIdle(), kWaitMs);
        reports = 0;
        loop.advance(10);
        QCOMPARE(reports, 0);
        QCOMPARE(loop.activeTimerCount(), 0);

        // Twice: the watch for the user's return fires only once and must be made anew.
        for (int round = 1; round <= 2; ++round) {
            movePointer();
            QTRY_VERIFY_WITH_TIMEOUT(!tap->isIdle(), kWaitMs);
            QCOMPARE(reports, 1);
            loop.advance(1);
            QCOMPARE(reports, 2);
            QTRY_VERIFY_WITH_TIMEOUT(tap->isIdle(), kWaitMs);
            reports = 0;
        }
    }
};

QTEST_GUILESS_MAIN(MutterIdleTest)
#include "tst_e2e_mutteridle.moc"
