#pragma once

#include "platform/HoldSources.h"

#include <QObject>

#include <functional>
#include <memory>

class QFileSystemWatcher;
class QSocketNotifier;

// Follows PipeWire's graph through its registry: a capture stream of a program (not the
// monitor of an output) running means the microphone is in use; a camera node running means
// the camera is; a video source of a program (what a portal's screen cast makes) means the
// screen is shared. Only the nodes' classes and states are read, never their data. Without a
// PipeWire server every reading is unknown until its socket appears.
class PipeWireWatch : public QObject {
    Q_OBJECT

public:
    struct Readings {
        HoldSources::Reading microphone = HoldSources::Reading::unknown;
        HoldSources::Reading camera = HoldSources::Reading::unknown;
        HoldSources::Reading screenShared = HoldSources::Reading::unknown;
        bool operator==(const Readings &) const = default;
    };

    explicit PipeWireWatch(std::function<void(const Readings &)> report, QObject *parent = nullptr);
    ~PipeWireWatch() override;

    // Whether a PipeWire server's socket is where the library looks for it.
    static bool serverIsUp();

    struct Connection;

private:
    void connectToServer();
    void dispatch();
    void disconnected();
    void publish();

    std::function<void(const Readings &)> m_report;
    std::unique_ptr<Connection> m_connection;
    QSocketNotifier *m_notifier = nullptr;
    // Watches the runtime folder for the server's socket while there is no connection.
    QFileSystemWatcher *m_socketWatch = nullptr;
    Readings m_last;
};
