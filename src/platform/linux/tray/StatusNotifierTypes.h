#pragma once

// The structured values of org.kde.StatusNotifierItem on the bus.
#include <QDBusArgument>
#include <QImage>
#include <QList>
#include <QMetaType>
#include <QString>

// One size of an icon: ARGB32 pixels in network byte order, as the item sends them.
struct StatusNotifierPixmap {
    int width = 0;
    int height = 0;
    QByteArray argb;

    static StatusNotifierPixmap fromImage(const QImage &image);
    QImage toImage() const;
};
using StatusNotifierPixmaps = QList<StatusNotifierPixmap>;

struct StatusNotifierToolTip {
    QString iconName;
    StatusNotifierPixmaps pixmaps;
    QString title;
    QString text;
};

Q_DECLARE_METATYPE(StatusNotifierPixmap)
Q_DECLARE_METATYPE(StatusNotifierToolTip)

QDBusArgument &operator<<(QDBusArgument &argument, const StatusNotifierPixmap &pixmap);
const QDBusArgument &operator>>(const QDBusArgument &argument, StatusNotifierPixmap &pixmap);
QDBusArgument &operator<<(QDBusArgument &argument, const StatusNotifierToolTip &toolTip);
const QDBusArgument &operator>>(const QDBusArgument &argument, StatusNotifierToolTip &toolTip);

// Makes the types above known to QtDBus; safe to call more than once.
void registerStatusNotifierTypes();
