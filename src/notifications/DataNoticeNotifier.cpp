#include "DataNoticeNotifier.h"

#include "notifications/NotificationManager.h"
#include "storage/DataFile.h"

DataNoticeNotifier::DataNoticeNotifier(NotificationManager &notifications, QObject *parent)
    : QObject(parent),
      m_notifications(notifications)
{}

void DataNoticeNotifier::watch(const DataFile &file, Notices notices)
{
    connect(&file, &DataFile::problemsChanged, this, [this, &file, notices] { check(file, notices); });
    check(file, notices);
}

void DataNoticeNotifier::check(const DataFile &file, const Notices &notices)
{
    QSet<QString> current;
    for (const DataNotice &notice : notices()) {
        const QString key = file.fileName() + QLatin1Char(':') + QString::number(int(notice.kind));
        current.insert(key);
        if (!m_shown.contains(key))
            m_notifications.sendDataNotice(notice);
    }
    const QString prefix = file.fileName() + QLatin1Char(':');
    m_shown.removeIf([&](const QString &key) { return key.startsWith(prefix) && !current.contains(key); });
    m_shown.unite(current);
}
