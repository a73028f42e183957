#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

// A program a test starts and stops by its PID (terminated, killed if it lingers).
class ChildProcess {
public:
    ChildProcess(const QString &program, const QStringList &arguments,
                 const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());
    ~ChildProcess();

    void stop();
    // Runs `program` to its end in the same environment; answers whether it succeeded.
    bool run(const QString &program, const QStringList &arguments) const;

private:
    QProcess m_process;
};

// A private PipeWire with WirePlumber, on the runtime folder of `environment`, with one virtual
// microphone for capture streams to record from.
class PrivatePipeWire {
public:
    explicit PrivatePipeWire(const QProcessEnvironment &environment);

    // Whether the server and its session manager are up, with the microphone made.
    bool isReady() const { return m_ready; }
    void stopServer() { m_server.stop(); }

private:
    ChildProcess m_server;
    ChildProcess m_session;
    bool m_ready = false;
};
