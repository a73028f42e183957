#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// Writes the JSON array in the file at `path` to `out` with `members` (array members already
// encoded, separated by commas, without the brackets) added at its end. The file is copied a
// piece at a time rather than read whole, and is not parsed: it must be an array this program
// has read before. A missing file counts as an empty array.
bool appendToJsonArray(const QString &path, const QByteArray &members, QIODevice &out, QString &error);
