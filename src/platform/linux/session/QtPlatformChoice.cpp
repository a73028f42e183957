#include "QtPlatformChoice.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QPluginLoader>

QtPlatformChoice QtPlatformChoice::choose(const Session &session, const QSet<QByteArray> &installed)
{
    const bool hasX11 = !session.x11Display.isEmpty();
    const bool hasWayland = !session.waylandDisplay.isEmpty();
    // The user's choice, the first of Qt's list form ("wayland;xcb") that is installed.
    for (const QByteArray &name : session.requested.split(';')) {
        const QByteArray plain = name.trimmed();
        if (!plain.isEmpty() && installed.contains(plain.split(':').first()))
            return {plain, {}};
    }
    QByteArray chosen;
    if (hasX11 && installed.contains("xcb"))
        chosen = "xcb";
    else if (hasWayland && installed.contains("wayland"))
        chosen = "wayland";
    else if (hasWayland && installed.contains("wayland-egl"))
        chosen = "wayland-egl";
    QString note;
    if (!session.requested.trimmed().isEmpty())
        note = QStringLiteral("the Qt platform plugin \"%1\" is not installed")
                   .arg(QString::fromLatin1(session.requested));
    else if (hasWayland && !installed.contains("wayland") && chosen.isEmpty())
        note = QStringLiteral("Qt's Wayland plugin is not installed (Debian: qt6-wayland)");
    else if (hasWayland && !hasX11 && chosen.isEmpty())
        note = QStringLiteral("no Qt plugin for this Wayland session");
    if (chosen.isEmpty() && note.isEmpty())
        note = QStringLiteral("no Qt plugin for this session (xcb needs DISPLAY, wayland WAYLAND_DISPLAY)");
    if (!chosen.isEmpty() && !note.isEmpty())
        note += QStringLiteral("; using \"%1\" instead").arg(QString::fromLatin1(chosen));
    return {chosen, note};
}

QSet<QByteArray> QtPlatformChoice::installedPlugins()
{
    QSet<QByteArray> names;
    const QDir folder(QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms"));
    for (const QString &file : folder.entryList({QStringLiteral("*.so")}, QDir::Files)) {
        // The metadata is read from the file; the plugin is not loaded.
        const QJsonObject meta =
            QPluginLoader(folder.filePath(file)).metaData().value(QStringLiteral("MetaData")).toObject();
        for (const auto key : meta.value(QStringLiteral("Keys")).toArray())
            names.insert(key.toString().toLower().toLatin1());
    }
    return names;
}
