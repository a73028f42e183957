#pragma once

#include <QLockFile>
#include <QObject>

#include <memory>

class QLocalServer;

// One Pelmix per data folder, since each instance rewrites the whole history from its memory.
// The first instance holds a lock beside the data (taken over when its owner died) and listens
// on a local socket in the runtime folder; a later one finds the lock taken, asks the first to
// come to the front (when they share a runtime folder), and leaves.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `runtimeFolder` empty means the user's runtime folder ($XDG_RUNTIME_DIR).
    explicit SingleInstance(const QString &dataFolder, QString runtimeFolder = {}, QObject *parent = nullptr);

    // What a second instance says before it leaves: which one holds the data.
    QString heldByText() const;
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
