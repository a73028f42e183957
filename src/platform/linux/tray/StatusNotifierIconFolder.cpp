#include "StatusNotifierIconFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <sys/stat.h>
#include <utime.h>

namespace {

// The current face, the one written ahead, and a few before them that a host may still be
// loading.
constexpr qsizetype kFacesKept = 6;

QString sizeFolder(int side) { return QStringLiteral("hicolor/%1x%1/status").arg(side); }

// GTK reads a theme folder again only when the theme's own folder has changed.
void touch(const QString &path) { ::utime(QFile::encodeName(path).constData(), nullptr); }

} // namespace

StatusNotifierIconFolder::StatusNotifierIconFolder(QString folder) : m_folder(std::move(folder))
{
    QDir(m_folder).removeRecursively();
    m_usable =
        QDir().mkpath(m_folder) &&
        QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

StatusNotifierIconFolder::~StatusNotifierIconFolder()
{
    if (m_usable)
        QDir(m_folder).removeRecursively();
}

QString StatusNotifierIconFolder::iconNameFor(const QString &key)
{
    static const QRegularExpression unsafe(QStringLiteral("[^a-z0-9-]+"));
    return QStringLiteral("pelmix-tray-") + key.toLower().replace(unsafe, QStringLiteral("-"));
}

QString StatusNotifierIconFolder::write(const QString &key, const QList<QImage> &sizes)
{
    if (!m_usable)
        return {};
    const QString name = iconNameFor(key);
    if (m_written.contains(name))
        return name;
    const QDir root(m_folder);
    for (const QImage &image : sizes) {
        const QString folder = root.filePath(sizeFolder(image.width()));
        QSaveFile file(QDir(folder).filePath(name + QStringLiteral(".png")));
        if (!QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit())
            return {};
    }
    touch(root.filePath(QStringLiteral("hicolor")));
    touch(m_folder);
    m_written.append(name);
    while (m_written.size() > kFacesKept) {
        const QString old = m_written.takeFirst();
        for (const QImage &image : sizes)
            QFile::remove(root.filePath(sizeFolder(image.width()) + QLatin1Char('/') + old + QStringLiteral(".png")));
    }
    return name;
}
