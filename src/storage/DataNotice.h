#pragma once

#include <QList>
#include <QString>

class DataFile;

// What the user is told about one of the data files when it went wrong: on the screen that
// shows its content, and once in a notification.
struct DataNotice {
    enum class Kind { keptAside, saveFailing };

    Kind kind = Kind::keptAside;
    QString title;
    QString body;
    // The data folder, for "Open Folder".
    QString folder;

    bool operator==(const DataNotice &) const = default;

    // `contents` is what the file holds ("history"), `records` what a run adds to it
    // ("sessions"). Empty while all is well.
    static QList<DataNotice> about(const DataFile &file, const QString &contents, const QString &records);
};
