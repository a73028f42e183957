#include "DataFile.h"

#include "platform/DataLocations.h"
#include "platform/Logger.h"
#include "platform/MainLoop.h"
#include "platform/Platform.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

DataFile::DataFile(Platform &platform, QString fileName, QString owner)
    : m_platform(platform),
      m_fileName(std::move(fileName)),
      m_owner(std::move(owner))
{}

QString DataFile::path() const { return m_platform.locations.dataFile(m_fileName); }

void DataFile::ensureFolder() const { m_platform.locations.ensureDataFolder(); }

DataFile::Contents DataFile::read() const
{
    const QString filePath = path();
    // Anything at the path counts, a folder too: it is unreadable and gets moved aside.
    if (!QFileInfo::exists(filePath))
        return {Outcome::missing, {}};
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return {Outcome::unreadable, {}};
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {Outcome::unreadable, {}};
    return {Outcome::read, std::move(bytes)};
}

void DataFile::setAside() const
{
    const QString filePath = path();
    const QString stamp =
        m_platform.mainLoop.now().toDateTime().toLocalTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString keptPath = filePath + QStringLiteral(".unreadable-") + stamp;
    for (int attempt = 2; QFileInfo::exists(keptPath); ++attempt)
        keptPath = filePath + QStringLiteral(".unreadable-") + stamp + QStringLiteral("-%1").arg(attempt);

    QFile file(filePath);
    if (file.rename(keptPath)) {
        m_platform.log.line(QStringLiteral("%1: %2 could not be read; kept it as %3 and started with an empty list")
                                .arg(m_owner, m_fileName, QFileInfo(keptPath).fileName()));
    } else {
        m_platform.log.line(QStringLiteral("%1: %2 could not be read, nor kept under another name: %3")
                                .arg(m_owner, m_fileName, file.errorString()));
    }
}

bool DataFile::write(const QByteArray &bytes) const
{
    QSaveFile file(path());
    // Unbuffered: a buffered write fails only when commit() flushes, and commit() then still
    // puts the partial file in place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
