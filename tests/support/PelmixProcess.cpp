#include "PelmixProcess.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTest>

#include <csignal>

PelmixProcess::PelmixProcess()
{
    const QString runtime = QDir(m_home.path()).filePath("runtime");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

PelmixProcess::~PelmixProcess()
{
    if (m_process && m_process->state() != QProcess::NotRunning) {
        m_process->kill();
        m_process->waitForFinished();
    }
}

QString PelmixProcess::dataFile(const QString &name) const { return m_home.path() + "/Documents/Pelmix/" + name; }

void PelmixProcess::setPreference(const QString &key, const QVariant &value)
{
    QSettings preferences(m_home.path() + "/.config/Pelmix/Pelmix.conf", QSettings::IniFormat);
    preferences.setValue(key, value);
}

QProcessEnvironment PelmixProcess::environment() const
{
    QProcessEnvironment env;
    env.insert("PATH", qEnvironmentVariable("PATH"));
    env.insert("HOME", m_home.path());
    env.insert("XDG_CONFIG_HOME", m_home.path() + "/.config");
    env.insert("XDG_DATA_HOME", m_home.path() + "/.local/share");
    env.insert("XDG_RUNTIME_DIR", m_home.path() + "/runtime");
    if (!m_busAddress.isNull())
        env.insert("DBUS_SESSION_BUS_ADDRESS", m_busAddress);
    env.insert("LC_ALL", "C.UTF-8");
    if (!m_display.isEmpty())
        env.insert("DISPLAY", m_display);
    env.insert(m_extra);
    return env;
}

std::unique_ptr<QProcess> PelmixProcess::startInstance() const
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment());
    process->start(PELMIX_BINARY, {});
    return process;
}

bool PelmixProcess::start()
{
    m_process = startInstance();
    return m_process->waitForStarted();
}

void PelmixProcess::readOutput()
{
    m_pending += m_process->readAllStandardOutput();
    for (qsizetype end = m_pending.indexOf('\n'); end >= 0; end = m_pending.indexOf('\n')) {
        m_lines.append(QString::fromUtf8(m_pending.left(end)));
        m_pending.remove(0, end + 1);
    }
}

const QStringList &PelmixProcess::lines()
{
    readOutput();
    return m_lines;
}

bool PelmixProcess::waitForLine(const QString &line, int times, int timeoutMs)
{
    (void)QTest::qWaitFor(
        [&] {
            readOutput();
            return m_lines.count(line) >= times || m_process->state() == QProcess::NotRunning;
        },
        timeoutMs);
    readOutput();
    return m_lines.count(line) >= times;
}

bool PelmixProcess::stopWith(int signalNumber, int timeoutMs)
{
    ::kill(static_cast<pid_t>(m_process->processId()), signalNumber);
    const bool ended = m_process->waitForFinished(timeoutMs);
    readOutput();
    return ended && m_process->exitStatus() == QProcess::NormalExit && m_process->exitCode() == 0;
}
