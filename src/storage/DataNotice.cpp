#include "DataNotice.h"

#include "storage/DataFile.h"

#include <QDir>

QList<DataNotice> DataNotice::about(const DataFile &file, const QString &contents, const QString &records)
{
    QList<DataNotice> notices;
    const QString folder = QDir::toNativeSeparators(file.folder());
    if (const auto kept = file.keptAs()) {
        notices.append(
            {Kind::keptAside, QStringLiteral("Pelmix could not read your %1").arg(contents),
             QStringLiteral("It is kept as %1 in %2, and a new %3 was started.").arg(*kept, folder, contents), folder});
    }
    if (const auto error = file.saveError()) {
        notices.append({Kind::saveFailing, QStringLiteral("Pelmix cannot save your %1").arg(contents),
                        QStringLiteral("%1 in %2: %3. Pelmix keeps this run's %4 and tries again every minute.")
                            .arg(file.fileName(), folder, *error, records),
                        folder});
    }
    return notices;
}
