#pragma once

#include "storage/DataNotice.h"

#include <QObject>
#include <QSet>

#include <functional>

class DataFile;
class NotificationManager;

// Tells the user in one notification about each problem of a data file: once when a file had
// to be moved aside, and once for each stretch of failing saves (again only after a save
// succeeded in between).
class DataNoticeNotifier : public QObject {
    Q_OBJECT
public:
    explicit DataNoticeNotifier(NotificationManager &notifications, QObject *parent = nullptr);

    using Notices = std::function<QList<DataNotice>()>;

    // Notifies about what is wrong with `file` already, and about what goes wrong later;
    // `notices` says what is wrong at each change.
    void watch(const DataFile &file, Notices notices);

private:
    void check(const DataFile &file, const Notices &notices);

    NotificationManager &m_notifications;
    // "<file>:<kind>" for each notice shown and still true.
    QSet<QString> m_shown;
};
