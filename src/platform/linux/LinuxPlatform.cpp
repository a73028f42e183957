#include "LinuxPlatform.h"

#include "DBusSessionEvents.h"
#include "DesktopTrayHost.h"
#include "FreedesktopNotifications.h"
#include "QtDesktop.h"
#include "QtMainLoop.h"
#include "SessionInputMonitoring.h"
#include "StdoutLogger.h"
#include "XdgAutostartEntry.h"
#include "XdgDataLocations.h"

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
};

LinuxPlatform::LinuxPlatform()
    : m_services(std::make_unique<Services>()),
      m_platform(std::make_unique<Platform>(Platform{m_services->mainLoop, m_services->log, m_services->preferences,
                                                     m_services->locations, m_services->input, m_services->loginItem,
                                                     m_services->desktop, m_services->notifications,
                                                     m_services->sessionEvents, m_services->trayHost}))
{}

LinuxPlatform::~LinuxPlatform() = default;

Platform &LinuxPlatform::platform() { return *m_platform; }

QtDesktop &LinuxPlatform::desktop() { return m_services->desktop; }
