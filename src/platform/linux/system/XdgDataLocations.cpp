#include "XdgDataLocations.h"

#include <QDir>
#include <QStandardPaths>

QString XdgDataLocations::documentsFolder() const
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::home().filePath(QStringLiteral("Documents")) : documents;
}
