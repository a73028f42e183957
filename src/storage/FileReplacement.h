#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

// Writes a file's new content into `out`; answers false, with `error` saying why, when it
// cannot be made or written.
using ContentWriter = std::function<bool(QIODevice &out, QString &error)>;

// Replaces the file at `path` with what `write` writes, in one step: afterwards it holds all
// of it, or it is as it was (and `error` says why).
bool replaceFile(const QString &path, const ContentWriter &write, QString &error);
bool replaceFile(const QString &path, const QByteArray &bytes, QString &error);

// Writes all of `size` bytes at `data`, or says why not.
bool writeFully(QIODevice &out, const char *data, qint64 size, QString &error);
