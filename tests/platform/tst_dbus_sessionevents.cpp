// The D-Bus client of sleep, lock and screen saver against a test peer: a stand-in for logind
// and the screen savers on a private bus, which answers GetSession and sends their signals.
#include "platform/linux/session/DBusSessionEvents.h"
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
    QDBusObjectPath GetSession(const QString &id) { return QDBusObjectPath(id == "7" ? kOurSession : kOtherSession); }
};

// Path, interface, member and arguments of a signal the peer sends.
using Signal = QStringList;

QDBusMessage message(const Signal &signal, bool on)
{
    QDBusMessage result = QDBusMessage::createSignal(signal[0], signal[1].section(' ', 0, 0), signal[2]);
    if (signal[2] == "PropertiesChanged")
        result << signal[1].section(' ', 1) << QVariantMap{{"LockedHint", on}} << QStringList();
    else if (signal.size() == 3)
        result << on;
    return result;
}

} // namespace

class DBusSessionEventsTest : public QObject {
    Q_OBJECT
private slots:
    void eachCauseStartsAndEnds_data()
    {
        QTest::addColumn<Signal>("start");
        QTest::addColumn<Signal>("end");
        const Signal sleep{"/org/freedesktop/login1", "org.freedesktop.login1.Manager", "PrepareForSleep"};
        const Signal hint{kOurSession, "org.freedesktop.DBus.Properties org.freedesktop.login1.Session",
                          "PropertiesChanged"};
        const Signal saver{"/org/freedesktop/ScreenSaver", "org.freedesktop.ScreenSaver", "ActiveChanged"};
        const Signal gnome{"/org/gnome/ScreenSaver", "org.gnome.ScreenSaver", "ActiveChanged"};
        QTest::newRow("sleep") << sleep << sleep;
        QTest::newRow("lock") << Signal{kOurSession, "org.freedesktop.login1.Session", "Lock", "-"}
                              << Signal{kOurSession, "org.freedesktop.login1.Session", "Unlock", "-"};
        QTest::newRow("locked hint") << hint << hint;
        QTest::newRow("freedesktop screen saver") << saver << saver;
        QTest::newRow("GNOME screen saver") << gnome << gnome;
    }
    void eachCauseStartsAndEnds()
    {
        QFETCH(Signal, start);
        QFETCH(Signal, end);
        PrivateSessionBus bus;
        QVERIFY2(bus.isRunning(), qPrintable(bus.errorString()));
        QDBusConnection peer = bus.connect(QStringLiteral("peer"));
        TestLoginManager manager;
        QVERIFY(peer.registerObject("/org/freedesktop/login1", &manager, QDBusConnection::ExportAllSlots));
        QVERIFY(peer.registerService("org.freedesktop.login1"));

        qputenv("XDG_SESSION_ID", "7");
        QDBusConnection client = bus.connect(QStringLiteral("client"));
        DBusSessionEvents events(client, client);
        QTRY_COMPARE(events.sessionPath(), kOurSession);
        // A round trip on the client's connection: the bus has its match rules from then on.
        QVERIFY(client.interface()->isServiceRegistered("org.freedesktop.login1"));

        // Another session's lock is not ours.
        const Signal otherLock{kOtherSession, "org.freedesktop.login1.Session", "Lock", "-"};
        const Signal otherHint{kOtherSession, "org.freedesktop.DBus.Properties org.freedesktop.login1.Session",
                               "PropertiesChanged"};
        for (const QDBusMessage &signal : {message(otherLock, true), message(otherHint, true), message(start, true)})
            QVERIFY(peer.send(signal));
        QTRY_VERIFY(events.isInactive());
        QVERIFY(!events.holds(SessionEvents::Cause::lock) || start[0] == kOurSession);
        QVERIFY(peer.send(message(end, false)));
        QTRY_VERIFY(!events.isInactive());
    }
};

QTEST_GUILESS_MAIN(DBusSessionEventsTest)
#include "tst_dbus_sessionevents.moc"
