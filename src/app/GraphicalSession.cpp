#include "GraphicalSession.h"

#include <QFile>
#include <QFileInfo>
#include <QtGlobal>

// After Qt: Xlib defines names that Qt's headers use.
#include <X11/Xlib.h>

QString missingGraphicalSessionReason()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.startsWith("offscreen") || platform.startsWith("minimal"))
        return {};
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return {};
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty())
        return QStringLiteral(
            "Pelmix needs a graphical desktop session, but neither DISPLAY nor WAYLAND_DISPLAY is set.");
    Display *connection = XOpenDisplay(display.constData());
    if (!connection)
        return QStringLiteral("Pelmix needs a graphical desktop session, but the display %1 cannot be opened.")
            .arg(QString::fromLocal8Bit(display));
    XCloseDisplay(connection);
    return {};
}

QString settleSessionBusAddress()
{
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return {};
    const QString runtimeBus = qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/bus");
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && QFileInfo(runtimeBus).exists()) {
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + QFile::encodeName(runtimeBus));
        return {};
    }
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    return QStringLiteral("no session bus: no notifications and no StatusNotifierItem tray");
}
