#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A message bus of the test's own: a dbus-daemon on a socket in a temporary folder, with
// no service activation, so nothing on the machine can answer for a missing service.
// Stopped, with every connection opened through it, when destroyed.
class PrivateSessionBus {
public:
    PrivateSessionBus();
    ~PrivateSessionBus();

    bool isRunning() const { return !m_address.isEmpty(); }
    // Why the bus did not start.
    QString errorString() const { return m_error; }
    // The address to hand to clients, as DBUS_SESSION_BUS_ADDRESS for a child process.
    QString address() const { return m_address; }

    // A new connection to the bus under `name`, unique within the process.
    QDBusConnection connect(const QString &name)
    {
        m_connections.append(name);
        return QDBusConnection::connectToBus(m_address, name);
    }

private:
    QTemporaryDir m_folder;
    QProcess m_daemon;
    QString m_address;
    QString m_error;
    QStringList m_connections;
};
