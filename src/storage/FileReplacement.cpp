#include "FileReplacement.h"

#include <QSaveFile>

bool replaceFile(const QString &path, const ContentWriter &write, QString &error)
{
    QSaveFile file(path);
    // Unbuffered: a buffered write fails only when commit() flushes, and commit() then still
    // puts the partial file in place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        error = file.errorString();
        return false;
    }
    if (!write(file, error)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

bool replaceFile(const QString &path, const QByteArray &bytes, QString &error)
{
    return replaceFile(
        path, [&bytes](QIODevice &out, QString &why) { return writeFully(out, bytes.constData(), bytes.size(), why); },
        error);
}

bool writeFully(QIODevice &out, const char *data, qint64 size, QString &error)
{
    // A write cut short says why only when the rest is tried.
    for (qint64 done = 0; done < size;) {
        const qint64 written = out.write(data + done, size - done);
        if (written <= 0) {
            error = out.errorString();
            return false;
        }
        done += written;
    }
    return true;
}
