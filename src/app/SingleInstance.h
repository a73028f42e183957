#pragma once

#include <QLockFile>
#include <QObject>

#include <memory>

class QLocalServer;

// One Pelmix per user. The first instance holds a lock and listens on a local socket;
// a later one finds the lock taken, asks the first to come to the front, and leaves.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `runtimeFolder` empty means the user's runtime folder ($XDG_RUNTIME_DIR).
    explicit SingleInstance(QString runtimeFolder = {}, QObject *parent = nullptr);
    ~SingleInstance() override;

    // Answers true when this process is the only instance; otherwise it has asked the
    // running one to show itself, and answers false.
    bool claim();

signals:
    void activationRequested();

private:
    QString m_lockPath;
    QString m_socketPath;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
};
