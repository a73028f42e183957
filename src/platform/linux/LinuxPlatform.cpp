#include "LinuxPlatform.h"

#include "platform/HoldSources.h"
#include "platform/linux/hold/HoldWatches.h"
#include "platform/linux/input/SessionInputMonitoring.h"
#include "platform/linux/notifications/FreedesktopNotifications.h"
#include "platform/linux/session/DBusSessionEvents.h"
#include "platform/linux/system/QtDesktop.h"
#include "platform/linux/system/QtMainLoop.h"
#include "platform/linux/system/StdoutLogger.h"
#include "platform/linux/system/XdgAutostartEntry.h"
#include "platform/linux/system/XdgDataLocations.h"
#include "platform/linux/tray/DesktopTrayHost.h"

#include <QCoreApplication>
#include <QSettings>

struct LinuxPlatform::Services {
    QtMainLoop mainLoop;
    StdoutLogger log;
    QSettings preferences{QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Pelmix"),
                          QStringLiteral("Pelmix")};
    XdgDataLocations locations;
    SessionInputMonitoring input{mainLoop};
    XdgAutostartEntry loginItem{QCoreApplication::applicationFilePath()};
    QtDesktop desktop;
    FreedesktopNotifications notifications;
    DBusSessionEvents sessionEvents{QDBusConnection::systemBus(), QDBusConnection::sessionBus()};
    DesktopTrayHost trayHost;
    HoldSources holdSources;
    HoldWatches holdWatches{holdSources, mainLoop, QDBusConnection::sessionBus()};
};

LinuxPlatform::LinuxPlatform()
    : m_services(std::make_unique<Services>()),
      m_platform(std::make_unique<Platform>(
          Platform{m_services->mainLoop, m_services->log, m_services->preferences, m_services->locations,
                   m_services->input, m_services->loginItem, m_services->desktop, m_services->notifications,
                   m_services->sessionEvents, m_services->trayHost, m_services->holdSources}))
{}

LinuxPlatform::~LinuxPlatform() = default;

Platform &LinuxPlatform::platform() { return *m_platform; }

QtDesktop &LinuxPlatform::desktop() { return m_services->desktop; }
