#include "GraphicalSession.h"

#include <X11/Xlib.h>

#include <QtGlobal>

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
