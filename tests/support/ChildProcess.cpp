#include "ChildProcess.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

ChildProcess::ChildProcess(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment,
                           const QString &workingDirectory)
{
    m_process.setProcessEnvironment(environment);
    m_process.setWorkingDirectory(workingDirectory);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.start(program, arguments);
    m_process.waitForStarted();
}

ChildProcess::~ChildProcess() { stop(); }

void ChildProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000))
        m_process.kill();
    m_process.waitForFinished();
}

bool ChildProcess::run(const QString &program, const QStringList &arguments) const
{
    QProcess once;
    once.setProcessEnvironment(m_process.processEnvironment());
    once.setStandardOutputFile(QProcess::nullDevice());
    once.start(program, arguments);
    return once.waitForFinished(10000) && once.exitStatus() == QProcess::NormalExit && once.exitCode() == 0;
}

namespace {
bool waitForFile(const QString &path)
{
    const QDeadlineTimer deadline(10000);
    while (!QFile::exists(path)) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    return true;
}
} // namespace

PrivatePipeWire::PrivatePipeWire(const QProcessEnvironment &environment)
    : m_server("pipewire", {}, environment)
{
    const auto make = [this](const char *name, const char *mediaClass) {
        return m_server.run("pw-cli", {"create-node", "adapter",
                                        QStringLiteral("{ factory.name=support.null-audio-sink node.name=%1 "
                                                       "media.class=%2 object.linger=true audio.position=[FL FR] }")
                                            .arg(name, mediaClass)});
    };
    const QString runtime = environment.value("XDG_RUNTIME_DIR");
    if (!waitForFile(runtime + "/pipewire-0"))
        return;
    m_session.emplace("wireplumber", QStringList{}, environment);
    m_pulse.emplace("pipewire-pulse", QStringList{}, environment);
    m_ready = make("test-microphone", "Audio/Source/Virtual") && make("test-speakers", "Audio/Sink") &&
              waitForFile(runtime + "/pulse/native");
}
