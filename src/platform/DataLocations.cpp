#include "DataLocations.h"

#include <QDir>

QString DataLocations::dataFolder() const { return QDir(documentsFolder()).filePath(QStringLiteral("Pelmix")); }

QString DataLocations::dataFile(const QString &fileName) const { return QDir(dataFolder()).filePath(fileName); }

bool DataLocations::ensureDataFolder() const { return QDir().mkpath(dataFolder()); }
