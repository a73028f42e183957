#include "XdgAutostartEntry.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// The Exec key treats spaces, quotes and a few other characters specially: quote the path.
QString quotedExecArgument(const QString &path)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needsQuotes = false;
    for (const QChar c : path)
        needsQuotes = needsQuotes || reserved.contains(c);
    if (!needsQuotes)
        return path;
    QString escaped;
    for (const QChar c : path) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            escaped += u'\\';
        escaped += c;
    }
    // In a desktop file a backslash in a string value is itself escaped once more.
    escaped.replace(QStringLiteral("\\"), QStringLiteral("\\\\"));
    return u'"' + escaped + u'"';
}

} // namespace

XdgAutostartEntry::XdgAutostartEntry(QString executablePath, QString autostartFolder)
    : m_executablePath(std::move(executablePath)),
      m_autostartFolder(std::move(autostartFolder))
{}

QString XdgAutostartEntry::entryPath() const
{
    const QString folder = m_autostartFolder.isEmpty()
                               ? QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
                                     .filePath(QStringLiteral("autostart"))
                               : m_autostartFolder;
    return QDir(folder).filePath(QStringLiteral("pelmix.desktop"));
}

QString XdgAutostartEntry::entryContents(const QString &executablePath)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Pelmix\n"
                          "Comment=Reminds you to take breaks from the computer\n"
                          "Icon=pelmix\n"
                          "Exec=%1\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(quotedExecArgument(executablePath));
}

std::optional<QString> XdgAutostartEntry::registerItem()
{
    const QString path = entryPath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return QStringLiteral("Could not create the folder %1").arg(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("Could not write %1: %2").arg(path, file.errorString());
    file.write(entryContents(m_executablePath).toUtf8());
    if (!file.commit())
        return QStringLiteral("Could not write %1: %2").arg(path, file.errorString());
    return std::nullopt;
}

std::optional<QString> XdgAutostartEntry::unregisterItem()
{
    QFile file(entryPath());
    if (!file.exists() || file.remove())
        return std::nullopt;
    return QStringLiteral("Could not remove %1: %2").arg(file.fileName(), file.errorString());
}
