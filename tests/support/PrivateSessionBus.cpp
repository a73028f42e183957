#include "PrivateSessionBus.h"

#include <QFile>

PrivateSessionBus::PrivateSessionBus()
{
    const QString configPath = m_folder.filePath(QStringLiteral("bus.conf"));
    QFile config(configPath);
    if (!config.open(QIODevice::WriteOnly)) {
        m_error = QStringLiteral("cannot write ") + configPath;
        return;
    }
    config.write(QStringLiteral(R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=%1</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)")
                     .arg(m_folder.path())
                     .toUtf8());
    config.close();

    m_daemon.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--config-file=") + configPath,
                                                   QStringLiteral("--print-address"), QStringLiteral("--nofork")});
    while (m_daemon.waitForStarted(10000) && !m_daemon.canReadLine()) {
        if (!m_daemon.waitForReadyRead(10000))
            break;
    }
    if (!m_daemon.canReadLine()) {
        m_error = QStringLiteral("dbus-daemon printed no address: ") + m_daemon.errorString() +
                  QString::fromLocal8Bit(m_daemon.readAllStandardError());
        return;
    }
    m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
}

PrivateSessionBus::~PrivateSessionBus()
{
    for (const QString &name : std::as_const(m_connections))
        QDBusConnection::disconnectFromBus(name);
    m_daemon.terminate();
    if (!m_daemon.waitForFinished(5000))
        m_daemon.kill();
    m_daemon.waitForFinished();
}
