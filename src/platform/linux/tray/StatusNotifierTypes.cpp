#include "StatusNotifierTypes.h"

#include <QDBusMetaType>
#include <QtEndian>

StatusNotifierPixmap StatusNotifierPixmap::fromImage(const QImage &image)
{
    const QImage argbImage = image.convertToFormat(QImage::Format_ARGB32);
    StatusNotifierPixmap pixmap{argbImage.width(), argbImage.height(), {}};
    pixmap.argb.resize(qsizetype(argbImage.width()) * argbImage.height() * 4);
    auto *out = reinterpret_cast<quint32 *>(pixmap.argb.data());
    for (int y = 0; y < argbImage.height(); ++y) {
        const auto *line = reinterpret_cast<const quint32 *>(argbImage.constScanLine(y));
        for (int x = 0; x < argbImage.width(); ++x)
            *out++ = qToBigEndian(line[x]);
    }
    return pixmap;
}

QImage StatusNotifierPixmap::toImage() const
{
    if (width <= 0 || height <= 0 || argb.size() != qsizetype(width) * height * 4)
        return {};
    QImage image(width, height, QImage::Format_ARGB32);
    const auto *in = reinterpret_cast<const quint32 *>(argb.constData());
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<quint32 *>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = qFromBigEndian(*in++);
    }
    return image;
}

QDBusArgument &operator<<(QDBusArgument &argument, const StatusNotifierPixmap &pixmap)
{
    argument.beginStructure();
    argument << pixmap.width << pixmap.height << pixmap.argb;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, StatusNotifierPixmap &pixmap)
{
    argument.beginStructure();
    argument >> pixmap.width >> pixmap.height >> pixmap.argb;
    argument.endStructure();
    return argument;
}

QDBusArgument &operator<<(QDBusArgument &argument, const StatusNotifierToolTip &toolTip)
{
    argument.beginStructure();
    argument << toolTip.iconName << toolTip.pixmaps << toolTip.title << toolTip.text;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, StatusNotifierToolTip &toolTip)
{
    argument.beginStructure();
    argument >> toolTip.iconName >> toolTip.pixmaps >> toolTip.title >> toolTip.text;
    argument.endStructure();
    return argument;
}

void registerStatusNotifierTypes()
{
    qDBusRegisterMetaType<StatusNotifierPixmap>();
    qDBusRegisterMetaType<StatusNotifierPixmaps>();
    qDBusRegisterMetaType<StatusNotifierToolTip>();
    qRegisterMetaType<StatusNotifierPixmaps>("StatusNotifierPixmaps");
}
