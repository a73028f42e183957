#include "DBusControl.h"

#include <QDBusMessage>
#include <QVariantMap>

#include <cstdlib>

namespace {
// A countdown read a moment later lands a second off: that is no change of the due time.
constexpr qint64 kDueAtSlackSeconds = 2;
} // namespace

DBusControl::DBusControl(RemoteControl &control, QDBusConnection connection, QObject *parent)
    : QObject(parent),
      m_control(control),
      m_connection(std::move(connection))
{
    m_connection.registerObject(kPath, this,
                                QDBusConnection::ExportScriptableSlots | QDBusConnection::ExportAllProperties);
    m_connection.registerService(kService);
    connect(&control, &RemoteControl::statusChanged, this, &DBusControl::announceChanges);
}

DBusControl::~DBusControl()
{
    m_connection.unregisterService(kService);
    m_connection.unregisterObject(kPath);
}

const RemoteControl::Status &DBusControl::announced() const
{
    if (!m_announced)
        m_announced = m_control.status();
    return *m_announced;
}

RemoteControl::Status DBusControl::read() const
{
    announced();
    return m_control.status();
}

void DBusControl::announceChanges()
{
    if (!m_announced)
        return; // nobody has read anything yet
    RemoteControl::Status now = m_control.status();
    if (std::abs(now.dueAt - m_announced->dueAt) <= kDueAtSlackSeconds && now.dueAt != 0 && m_announced->dueAt != 0)
        now.dueAt = m_announced->dueAt;
    QVariantMap changed;
    if (now.state != m_announced->state)
        changed.insert(QStringLiteral("State"), now.state);
    if (now.phaseSeconds != m_announced->phaseSeconds)
        changed.insert(QStringLiteral("PhaseSeconds"), qlonglong(now.phaseSeconds));
    if (now.dueAt != m_announced->dueAt)
        changed.insert(QStringLiteral("DueAt"), qlonglong(now.dueAt));
    if (now.completedSessionsToday != m_announced->completedSessionsToday)
        changed.insert(QStringLiteral("CompletedSessionsToday"), qlonglong(now.completedSessionsToday));
    if (now.currentTask != m_announced->currentTask)
        changed.insert(QStringLiteral("CurrentTask"), now.currentTask);
    if (now.presence != m_announced->presence)
        changed.insert(QStringLiteral("Presence"), now.presence);
    m_announced = now;
    if (changed.isEmpty())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << kInterface << changed << QStringList();
    m_connection.send(signal);
}

void DBusControl::TakeBreak() { m_control.takeBreak(); }

void DBusControl::Snooze(uint minutes)
{
    if (minutes < 1 || minutes > 240) {
        sendErrorReply(QDBusError::InvalidArgs, QStringLiteral("minutes must be 1 to 240"));
        return;
    }
    m_control.snooze(int(minutes));
}

void DBusControl::Show(const QString &section)
{
    if (!m_control.showSection(section))
        sendErrorReply(QDBusError::InvalidArgs,
                       QStringLiteral("no section %1 (focus, stats, settings, about)").arg(section));
}

void DBusControl::Quit() { m_control.quitProgram(); }

QString DBusControl::Export(const QString &format, const QString &from, const QString &to)
{
    QString failure;
    if (const auto text = m_control.exportHistory(format, from, to, failure))
        return *text;
    if (!failure.isEmpty())
        sendErrorReply(QDBusError::Failed, failure);
    else
        sendErrorReply(QDBusError::InvalidArgs, QStringLiteral("format csv or json; dates YYYY-MM-DD or empty"));
    return {};
}
