#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <optional>

// A program a test starts and stops by its PID (terminated, killed if it lingers).
class ChildProcess {
public:
    ChildProcess(const QString &program, const QStringList &arguments,
                 const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
                 const QString &workingDirectory = {});
    ~ChildProcess();

    void stop();
    // Runs `program` to its end in the same environment; answers whether it succeeded.
    bool run(const QString &program, const QStringList &arguments) const;

private:
    QProcess m_process;
};

// A private PipeWire with WirePlumber and its PulseAudio server, on the runtime folder of
// `environment`, with a virtual microphone to record from and virtual speakers to play to.
class PrivatePipeWire {
public:
    explicit PrivatePipeWire(const QProcessEnvironment &environment);

    // Whether the server and its session manager are up, with the microphone made.
    bool isReady() const { return m_ready; }
    void stopServer()
    {
        if (m_pulse)
            m_pulse->stop();
        m_server.stop();
    }

private:
    ChildProcess m_server;
    // Started once the server's socket is there: a session manager that finds none gives up.
    std::optional<ChildProcess> m_session;
    std::optional<ChildProcess> m_pulse;
    bool m_ready = false;
};
