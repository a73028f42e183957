#pragma once

#include <QString>

// The name of the installed launcher (without ".desktop"): desktops match windows, tray items
// and notifications to the launcher's name and icon through it. The autostart entry keeps its
// own older name, pelmix.desktop.
inline const QString kDesktopEntryId = QStringLiteral("org.pelmix.Pelmix");
