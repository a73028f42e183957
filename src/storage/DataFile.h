#pragma once

#include <QByteArray>
#include <QString>

struct Platform;

// One of the user's data files in the data folder: read whole, replaced whole in one step,
// and moved aside when it cannot be read so that the next save does not destroy it.
class DataFile {
public:
    enum class Outcome { missing, unreadable, read };
    struct Contents {
        Outcome outcome = Outcome::missing;
        QByteArray bytes;
    };

    // `owner` starts the log line written when the file is moved aside.
    DataFile(Platform &platform, QString fileName, QString owner);

    // Worked out afresh at each use: the data folder follows the Documents folder.
    QString path() const;
    // Creates the data folder with its parents; a failure shows at the first save.
    void ensureFolder() const;

    Contents read() const;
    // Renames the file to "<name>.unreadable-<local date>-<local time>" and logs one line.
    void setAside() const;
    // Replaces the file with `bytes` in one step; on failure the file keeps its content.
    bool write(const QByteArray &bytes) const;

private:
    Platform &m_platform;
    QString m_fileName;
    QString m_owner;
};
