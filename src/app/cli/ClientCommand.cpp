#include "ClientCommand.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QDateTime>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

namespace {

const QString kService = QStringLiteral("org.pelmix.Pelmix");
const QString kPath = QStringLiteral("/org/pelmix/Pelmix");
const QString kInterface = QStringLiteral("org.pelmix.Pelmix1");

QString minutes(qint64 seconds) { return QStringLiteral("%1 min").arg((seconds + 59) / 60); }

// The status read from the running Pelmix; the seconds left follow DueAt where it counts.
std::optional<RemoteControl::Status> readStatus(QDBusConnection bus)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"));
    call << kInterface;
    const QDBusReply<QVariantMap> reply = bus.call(call);
    if (!reply.isValid())
        return std::nullopt;
    const QVariantMap values = reply.value();
    RemoteControl::Status status;
    status.state = values.value(QStringLiteral("State")).toString();
    status.secondsLeft = values.value(QStringLiteral("SecondsLeft")).toLongLong();
    status.phaseSeconds = values.value(QStringLiteral("PhaseSeconds")).toLongLong();
    status.dueAt = values.value(QStringLiteral("DueAt")).toLongLong();
    status.completedSessionsToday = values.value(QStringLiteral("CompletedSessionsToday")).toLongLong();
    status.currentTask = values.value(QStringLiteral("CurrentTask")).toString();
    status.presence = values.value(QStringLiteral("Presence")).toString();
    return status;
}

// Counted down here from DueAt, so that following the status costs the program nothing.
RemoteControl::Status atNow(RemoteControl::Status status)
{
    if (status.dueAt > 0)
        status.secondsLeft = std::max<qint64>(0, status.dueAt - QDateTime::currentSecsSinceEpoch());
    return status;
}

// `status --follow`: a line now, and one each time the line would read differently, from the
// program's announcements and the clock here; ends when the program does.
class StatusFollower : public QObject {
    Q_OBJECT
public:
    StatusFollower(QDBusConnection bus, bool json, std::FILE *out)
        : m_bus(std::move(bus)),
          m_json(json),
          m_out(out),
          m_gone(kService, m_bus, QDBusServiceWatcher::WatchForUnregistration)
    {
        m_bus.connect(kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                      QStringLiteral("PropertiesChanged"), this, SLOT(reread()));
        connect(&m_gone, &QDBusServiceWatcher::serviceUnregistered, this, [] { QCoreApplication::exit(0); });
        connect(&m_clock, &QTimer::timeout, this, &StatusFollower::show);
        m_clock.start(1000);
        reread();
    }

public slots:
    void reread()
    {
        m_status = readStatus(m_bus);
        if (!m_status) {
            QCoreApplication::exit(0);
            return;
        }
        show();
    }

private:
    void show()
    {
        if (!m_status)
            return;
        const RemoteControl::Status now = atNow(*m_status);
        const QByteArray line = m_json ? ClientCommand::statusJson(now) : ClientCommand::statusText(now).toUtf8();
        if (line == m_shown)
            return;
        m_shown = line;
        std::fprintf(m_out, "%s\n", line.constData());
        std::fflush(m_out);
    }

    QDBusConnection m_bus;
    bool m_json;
    std::FILE *m_out;
    QDBusServiceWatcher m_gone;
    QTimer m_clock;
    std::optional<RemoteControl::Status> m_status;
    QByteArray m_shown;
};

} // namespace

namespace ClientCommand {

QString statusText(const RemoteControl::Status &status)
{
    const QString left = minutes(status.secondsLeft);
    if (status.state == QLatin1String("working"))
        return QStringLiteral("Working, break in %1").arg(left);
    if (status.state == QLatin1String("breakDue"))
        return QStringLiteral("Break due: step away");
    if (status.state == QLatin1String("onBreak"))
        return QStringLiteral("On a break, %1 left").arg(left);
    if (status.state == QLatin1String("snoozed"))
        return QStringLiteral("Snoozed, %1 left").arg(left);
    if (status.state == QLatin1String("paused"))
        return QStringLiteral("Paused");
    return QStringLiteral("Away, break in %1").arg(left);
}

QByteArray statusJson(const RemoteControl::Status &status)
{
    const qint64 phase = std::max<qint64>(1, status.phaseSeconds);
    QString tooltip = statusText(status);
    if (!status.currentTask.isEmpty())
        tooltip += QStringLiteral("\nTask: ") + status.currentTask;
    tooltip += QStringLiteral("\nSessions today: %1").arg(status.completedSessionsToday);
    const QJsonObject line{
        {QStringLiteral("text"),
         status.state == QLatin1String("breakDue") ? QStringLiteral("break") : minutes(status.secondsLeft)},
        {QStringLiteral("tooltip"), tooltip},
        {QStringLiteral("class"), status.state},
        {QStringLiteral("percentage"), int(100 * (phase - std::min(phase, status.secondsLeft)) / phase)}};
    return QJsonDocument(line).toJson(QJsonDocument::Compact);
}

int run(const CommandLine &command, std::FILE *out, std::FILE *errors)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(kService)) {
        std::fprintf(errors, "pelmix: Pelmix is not running\n");
        return 1;
    }
    if (command.client == QLatin1String("status")) {
        if (command.follow) {
            StatusFollower follower(bus, command.json, out);
            return QCoreApplication::exec();
        }
        const auto status = readStatus(bus);
        if (!status) {
            std::fprintf(errors, "pelmix: Pelmix did not answer\n");
            return 1;
        }
        const RemoteControl::Status now = atNow(*status);
        std::fprintf(out, "%s\n", (command.json ? statusJson(now) : statusText(now).toUtf8()).constData());
        return 0;
    }
    static const QHash<QString, QString> methods{{QStringLiteral("break"), QStringLiteral("TakeBreak")},
                                                 {QStringLiteral("snooze"), QStringLiteral("Snooze")},
                                                 {QStringLiteral("show"), QStringLiteral("Show")},
                                                 {QStringLiteral("quit"), QStringLiteral("Quit")}};
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, methods.value(command.client));
    if (command.client == QLatin1String("snooze"))
        call << uint(command.minutes);
    else if (command.client == QLatin1String("show"))
        call << command.section;
    const QDBusMessage reply = bus.call(call);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        std::fprintf(errors, "pelmix: %s\n", qPrintable(reply.errorMessage()));
        return 1;
    }
    return 0;
}

} // namespace ClientCommand

#include "ClientCommand.moc"
