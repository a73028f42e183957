#include "FileReplacement.h"

#include <QSaveFile>

bool replaceFile(const QString &path, const QByteArray &bytes, QString &error)
{
    QSaveFile file(path);
    // Unbuffered: a buffered write fails only when commit() flushes, and commit() then still
    // puts the partial file in place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        error = file.errorString();
        return false;
    }
    // A write cut short says why only when the rest is tried.
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            error = file.errorString();
            file.cancelWriting();
            return false;
        }
        done += written;
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}
