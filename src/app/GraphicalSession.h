#pragma once

#include <QString>

// Whether a desktop session is there to show windows on. Answers the reason when there is none.
QString missingGraphicalSessionReason();

// Without DBUS_SESSION_BUS_ADDRESS the D-Bus library would start a bus of its own that outlives
// the program: the session's bus at $XDG_RUNTIME_DIR/bus is named instead, or none at all.
// Answers what the program lacks then, or nothing.
QString settleSessionBusAddress();
