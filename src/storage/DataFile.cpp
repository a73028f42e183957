#include "DataFile.h"

#include "platform/DataLocations.h"
#include "platform/Logger.h"
#include "platform/Platform.h"
#include "storage/FileReplacement.h"

#include <QFile>
#include <QFileInfo>

DataFile::DataFile(Platform &platform, QString fileName, QString owner)
    : m_platform(platform),
      m_fileName(std::move(fileName)),
      m_owner(std::move(owner))
{}

QString DataFile::path() const { return m_platform.locations.dataFile(m_fileName); }

QString DataFile::folder() const { return m_platform.locations.dataFolder(); }

void DataFile::ensureFolder() const { m_platform.locations.ensureDataFolder(); }

DataFile::Contents DataFile::read() const
{
    const QString filePath = path();
    // Whatever comes of it, this is the file as last seen: one that cannot be read is not
    // tried again until it changes.
    m_seen = seenNow();
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

void DataFile::setAside()
{
    const QString filePath = path();
    const QString stamp =
        m_platform.mainLoop.now().toDateTime().toLocalTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString keptPath = filePath + QStringLiteral(".unreadable-") + stamp;
    for (int attempt = 2; QFileInfo::exists(keptPath); ++attempt)
        keptPath = filePath + QStringLiteral(".unreadable-") + stamp + QStringLiteral("-%1").arg(attempt);

    QFile file(filePath);
    if (file.rename(keptPath)) {
        m_seen.reset();
        m_keptAs = QFileInfo(keptPath).fileName();
        m_platform.log.line(QStringLiteral("%1: %2 could not be read; kept it as %3 and started with an empty list")
                                .arg(m_owner, m_fileName, *m_keptAs));
    } else {
        m_mustNotReplace = true;
        m_platform.log.line(QStringLiteral("%1: %2 could not be read, nor kept under another name: %3")
                                .arg(m_owner, m_fileName, file.errorString()));
    }
    emit problemsChanged();
}

bool DataFile::write(const QByteArray &bytes)
{
    return write([bytes](QIODevice &out, QString &error) {
        return writeFully(out, bytes.constData(), bytes.size(), error);
    });
}

bool DataFile::write(ContentWriter writer)
{
    QString error;
    if (replace(writer, error)) {
        invalidate(m_retry);
        m_unsaved = nullptr;
        emit saved();
        if (m_saveError) {
            m_saveError.reset();
            m_platform.log.line(QStringLiteral("%1: saved %2 again").arg(m_owner, m_fileName));
            emit problemsChanged();
        }
        return true;
    }
    m_unsaved = std::move(writer);
    if (!m_retry)
        m_retry = m_platform.mainLoop.scheduleDelayed(kRetryInterval, [this] { retry(); });
    if (m_saveError != error) {
        m_saveError = error;
        m_platform.log.line(
            QStringLiteral("%1: could not save %2 (%3); keeping the changes in memory and trying again every minute")
                .arg(m_owner, m_fileName, error));
        emit problemsChanged();
    }
    return false;
}

void DataFile::retry()
{
    m_retry.reset();
    if (m_unsaved)
        write(ContentWriter(m_unsaved));
}

bool DataFile::replace(const ContentWriter &writer, QString &error)
{
    if (m_mustNotReplace) {
        error = QStringLiteral("it could not be read, nor kept under another name");
        return false;
    }
    if (!replaceFile(path(), writer, error))
        return false;
    m_seen = seenNow();
    return true;
}

std::optional<DataFile::Seen> DataFile::seenNow() const
{
    const QFileInfo info(path());
    if (!info.exists())
        return std::nullopt;
    return Seen{info.size(), info.lastModified()};
}

bool DataFile::isAsLastSeen() const { return seenNow() == m_seen; }
