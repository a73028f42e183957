// The D-Bus client of sleep, lock and screen saver against a test peer: a stand-in for logind
// and the screen savers on a private bus, which answers GetSession and sends their signals.
#include "platform/linux/DBusSessionEvents.h"
#include "support/PrivateSessionBus.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QTest>

namespace {

const QString kOurSession = QStringLiteral("/org/freedesktop/login1/session/_37");
const QString kOtherSession = QStringLiteral("/org/freedesktop/login1/session/_38");

class TestLoginManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public slots:
    QDBusObjectPath GetSession(const QString &id)
    {
        return QDBusObjectPath(id == QLatin1String("7") ? kOurSession : kOtherSession);
    }
};

struct Signal {
    QString path;
    QString interface;
    QString name;
    QVariantList arguments;
};

QVariantMap lockedHint(bool locked) { return {{QStringLiteral("LockedHint"), locked}}; }

Signal sessionSignal(const QString &path, const QString &name, QVariantList arguments = {})
{
    return {path, QStringLiteral("org.freedesktop.login1.Session"), name, std::move(arguments)};
}

Signal propertiesChanged(const QString &path, bool locked)
{
    return {path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"),
            {QStringLiteral("org.freedesktop.login1.Session"), lockedHint(locked), QStringList()}};
}

} // namespace

Q_DECLARE_METATYPE(Signal)

class DBusSessionEventsTest : public QObject {
    Q_OBJECT

    void send(QDBusConnection &peer, const Signal &signal)
    {
        QDBusMessage message = QDBusMessage::createSignal(signal.path, signal.interface, signal.name);
        message.setArguments(signal.arguments);
        QVERIFY(peer.send(message));
    }

private slots:
    void eachCauseStartsAndEnds_data()
    {
        QTest::addColumn<Signal>("start");
        QTest::addColumn<Signal>("end");
        const QString manager = QStringLiteral("/org/freedesktop/login1");
        const QString managerInterface = QStringLiteral("org.freedesktop.login1.Manager");
        QTest::newRow("sleep") << Signal{manager, managerInterface, QStringLiteral("PrepareForSleep"), {true}}
                               << Signal{manager, managerInterface, QStringLiteral("PrepareForSleep"), {false}};
        QTest::newRow("lock") << sessionSignal(kOurSession, QStringLiteral("Lock"))
                              << sessionSignal(kOurSession, QStringLiteral("Unlock"));
        QTest::newRow("locked hint") << propertiesChanged(kOurSession, true) << propertiesChanged(kOurSession, false);
        QTest::newRow("freedesktop screen saver")
            << Signal{QStringLiteral("/org/freedesktop/ScreenSaver"), QStringLiteral("org.freedesktop.ScreenSaver"),
                      QStringLiteral("ActiveChanged"), {true}}
            << Signal{QStringLiteral("/org/freedesktop/ScreenSaver"), QStringLiteral("org.freedesktop.ScreenSaver"),
                      QStringLiteral("ActiveChanged"), {false}};
        QTest::newRow("GNOME screen saver")
            << Signal{QStringLiteral("/org/gnome/ScreenSaver"), QStringLiteral("org.gnome.ScreenSaver"),
                      QStringLiteral("ActiveChanged"), {true}}
            << Signal{QStringLiteral("/org/gnome/ScreenSaver"), QStringLiteral("org.gnome.ScreenSaver"),
                      QStringLiteral("ActiveChanged"), {false}};
    }
    void eachCauseStartsAndEnds()
    {
        QFETCH(Signal, start);
        QFETCH(Signal, end);
        PrivateSessionBus bus;
        QVERIFY2(bus.isRunning(), qPrintable(bus.errorString()));
        QDBusConnection peer = bus.connect(QStringLiteral("peer"));
        TestLoginManager manager;
        QVERIFY(peer.registerObject(QStringLiteral("/org/freedesktop/login1"), &manager, QDBusConnection::ExportAllSlots));
        QVERIFY(peer.registerService(QStringLiteral("org.freedesktop.login1")));

        qputenv("XDG_SESSION_ID", "7");
        QDBusConnection client = bus.connect(QStringLiteral("client"));
        DBusSessionEvents events(client, client);
        QTRY_COMPARE(events.sessionPath(), kOurSession);
        // A round trip on the client's connection: the bus has its match rules from then on.
        QVERIFY(client.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.login1")));

        // Another session's lock is not ours.
        send(peer, sessionSignal(kOtherSession, QStringLiteral("Lock")));
        send(peer, propertiesChanged(kOtherSession, true));
        send(peer, start);
        QTRY_VERIFY(events.isInactive());
        QVERIFY(!events.holds(SessionEvents::Cause::lock) || start.path == kOurSession);
        send(peer, end);
        QTRY_VERIFY(!events.isInactive());
    }
};

QTEST_GUILESS_MAIN(DBusSessionEventsTest)
#include "tst_dbus_sessionevents.moc"
