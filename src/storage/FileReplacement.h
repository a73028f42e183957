#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at `path` with `bytes` in one step: afterwards it holds all of them, or it
// is as it was (and `error` says why).
bool replaceFile(const QString &path, const QByteArray &bytes, QString &error);
