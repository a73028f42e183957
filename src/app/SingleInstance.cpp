#include "SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {
constexpr auto kActivateMessage = "activate\n";
constexpr int kConnectTimeoutMs = 1000;
} // namespace

SingleInstance::SingleInstance(const QString &dataFolder, QString runtimeFolder, QObject *parent) : QObject(parent)
{
    QDir().mkpath(dataFolder);
    m_lockPath = QDir(dataFolder).filePath(QStringLiteral(".pelmix.lock"));
    if (runtimeFolder.isEmpty())
        runtimeFolder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtimeFolder.isEmpty())
        runtimeFolder = QDir::tempPath();
    QDir().mkpath(runtimeFolder);
    const QDir folder(runtimeFolder);
    m_socketPath = folder.filePath(QStringLiteral("pelmix.socket"));
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::heldByText() const
{
    qint64 pid = 0;
    QString host;
    QString application;
    if (!m_lock || !m_lock->getLockInfo(&pid, &host, &application))
        return {};
    return QStringLiteral("Pelmix is already running with this data (%1, process %2 on %3).")
        .arg(QDir::toNativeSeparators(m_lockPath))
        .arg(pid)
        .arg(host);
}

bool SingleInstance::claim()
{
    m_lock = std::make_unique<QLockFile>(m_lockPath);
    // A lock left by a crashed instance is taken over: QLockFile checks whether its owner still lives.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        QLocalSocket socket;
        socket.connectToServer(m_socketPath);
        if (socket.waitForConnected(kConnectTimeoutMs)) {
            socket.write(kActivateMessage);
            socket.waitForBytesWritten(kConnectTimeoutMs);
            socket.disconnectFromServer();
        }
        return false;
    }

    QLocalServer::removeServer(m_socketPath);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *client = m_server->nextPendingConnection()) {
            connect(client, &QLocalSocket::readyRead, this, [this, client] {
                if (client->readAll().contains("activate"))
                    emit activationRequested();
            });
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        }
    });
    m_server->listen(m_socketPath);
    return true;
}
