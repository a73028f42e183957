#include "PresenceLogger.h"

#include "platform/DataLocations.h"
#include "platform/MainLoop.h"
#include "platform/Platform.h"

#include <QFile>

PresenceLogger::PresenceLogger(Platform &platform)
    : m_platform(platform),
      m_logFilePath(platform.locations.dataFile(QLatin1String(kFileName)))
{
    platform.locations.ensureDataFolder();
}

void PresenceLogger::logPresence(bool present)
{
    const QString timestamp =
        m_platform.mainLoop.now().toDateTime().toLocalTime().toString(QLatin1String(kTimestampPattern));
    const QByteArray line = (timestamp + QStringLiteral(" | ") +
                             (present ? QStringLiteral("PRESENT") : QStringLiteral("AWAY")) + QLatin1Char('\n'))
                                .toUtf8();
    // Append mode puts every write at the end, whatever the file held before, and creates
    // the file when it is missing.
    QFile file(m_logFilePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    file.write(line);
    file.close();
}
