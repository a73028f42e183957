#include "ProcCameraScan.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

ProcCameraScan::ProcCameraScan(MainLoop &loop, std::function<void(HoldSources::Reading)> report,
                               CameraScanPlaces places)
    : m_loop(loop),
      m_report(std::move(report)),
      m_places(std::move(places))
{}

void ProcCameraScan::setBreakDue(bool due)
{
    if (!due) {
        invalidate(m_timer);
        m_report(HoldSources::Reading::unknown);
        return;
    }
    if (m_timer)
        return;
    scanAndReport();
    m_timer = m_loop.scheduleRepeating(kScanIntervalSeconds, [this] { scanAndReport(); });
}

void ProcCameraScan::scanAndReport() { m_report(scan()); }

HoldSources::Reading ProcCameraScan::scan() const
{
    const QDir processes(m_places.processes);
    if (!processes.exists())
        return HoldSources::Reading::unknown;
    const uid_t uid = getuid();
    const QString self = QString::number(getpid());
    const QByteArray prefix = QFile::encodeName(m_places.devicePrefix);
    bool readAny = false;
    for (const QString &pid : processes.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (pid.isEmpty() || !pid.front().isDigit() || pid == self)
            continue;
        const QByteArray folder = QFile::encodeName(processes.filePath(pid));
        struct stat info {};
        if (stat(folder.constData(), &info) != 0 || info.st_uid != uid)
            continue;
        const QDir fds(processes.filePath(pid) + QStringLiteral("/fd"));
        const QStringList entries = fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
        readAny = readAny || !entries.isEmpty();
        for (const QString &fd : entries) {
            char target[256];
            const QByteArray link = QFile::encodeName(fds.filePath(fd));
            const ssize_t length = readlink(link.constData(), target, sizeof target - 1);
            if (length > 0 && QByteArrayView(target, length).startsWith(prefix))
                return HoldSources::Reading::inUse;
        }
    }
    return readAny ? HoldSources::Reading::clear : HoldSources::Reading::unknown;
}
