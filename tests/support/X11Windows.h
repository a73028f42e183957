#pragma once

#include <QList>
#include <QRect>
#include <QString>

struct _XDisplay;
typedef struct _XDisplay Display;

// A window of the program on a private X server, as a window manager or a tray sees it.
struct X11Window {
    unsigned long id = 0;
    QRect geometry; // in root coordinates
    QString name;
    bool inTray = false; // embedded, at any depth, in the XEmbed tray's window
};

// Opens `displayName` for a test that inspects windows: errors about windows that went away
// while the tree was walked are ignored, not fatal.
Display *openInspectingDisplay(const QByteArray &displayName);

// Every viewable window of the program, depth first from the root, after a round trip to the server.
QList<X11Window> pelmixWindows(Display *display);
