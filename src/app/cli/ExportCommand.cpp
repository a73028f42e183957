#include "ExportCommand.h"

#include "export/HistoryExport.h"
#include "platform/DataLocations.h"
#include "stats/SessionCodec.h"
#include "tasks/TodoCodec.h"

#include <QFile>
#include <QFileInfo>

namespace {

// The records of a data file; none at all when there is no file yet; nothing, with `error`
// set, when it cannot be read or decoded.
template <typename Record>
std::optional<QList<Record>> readRecords(const QString &path,
                                         std::optional<QList<Record>> (*decode)(const QByteArray &), QString &error)
{
    if (!QFileInfo::exists(path))
        return QList<Record>();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    auto records = decode(file.readAll());
    if (!records)
        error = QStringLiteral("cannot read %1: it is not a file Pelmix wrote").arg(path);
    return records;
}

bool writeOut(const QString &path, const QByteArray &bytes, std::FILE *out, QString &error)
{
    if (!path.isEmpty())
        return HistoryExport::writeFile(path, bytes, error);
    return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), out) == size_t(bytes.size()) &&
           std::fflush(out) == 0;
}

} // namespace

int runExport(const CommandLine &command, const DataLocations &locations, std::FILE *out, std::FILE *errors)
{
    const auto format = HistoryExport::formatNamed(command.format).value_or(HistoryExport::Format::csv);
    QString error;
    QByteArray bytes;
    if (command.tasks) {
        if (const auto tasks = readRecords(locations.dataFile(QStringLiteral("todos.json")), TodoCodec::decode, error))
            bytes = HistoryExport::tasks(*tasks, format);
    } else if (const auto sessions =
                   readRecords(locations.dataFile(QStringLiteral("sessions.json")), SessionCodec::decode, error)) {
        bytes = HistoryExport::sessions(*sessions, format, {command.from, command.to});
    }
    if (error.isEmpty() && writeOut(command.output, bytes, out, error))
        return 0;
    std::fprintf(errors, "pelmix: %s\n",
                 qPrintable(error.isEmpty() ? QStringLiteral("cannot write the export") : error));
    return 1;
}
