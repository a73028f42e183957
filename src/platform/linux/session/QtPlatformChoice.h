#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>

// Which of Qt's window system plugins the program runs on. Where Xwayland is there, the X11
// plugin (xcb) is taken even in a Wayland session, because only there may the tray's panel
// open beside the tray; presence is still read from the compositor. A Wayland session without
// Xwayland gets the Wayland plugin. A plugin the user asked for (QT_QPA_PLATFORM) is kept when
// installed; a missing one is replaced by one that is, never left to abort the program.
struct QtPlatformChoice {
    QByteArray platform; // empty: none can work, `note` says why
    QString note;        // one log line when the choice differs from what was asked or is missing

    struct Session {
        QByteArray requested;      // QT_QPA_PLATFORM
        QByteArray waylandDisplay; // WAYLAND_DISPLAY
        QByteArray x11Display;     // DISPLAY
    };

    static QtPlatformChoice choose(const Session &session, const QSet<QByteArray> &installed);

    // The platform names of the installed plugins ("xcb", "wayland", "offscreen", ...).
    static QSet<QByteArray> installedPlugins();
};
