#pragma once

class DataLocations;
class Desktop;
class HoldSources;
class InputMonitoring;
class Logger;
class LoginItem;
class MainLoop;
class NotificationCenter;
class QSettings;
class SessionEvents;
class TrayHost;

// Everything the logic takes from the operating system. The program fills it with the
// real Linux services; tests fill it with fakes.
struct Platform {
    MainLoop &mainLoop;
    Logger &log;
    QSettings &preferences;
    DataLocations &locations;
    InputMonitoring &input;
    LoginItem &loginItem;
    Desktop &desktop;
    NotificationCenter &notifications;
    SessionEvents &sessionEvents;
    TrayHost &trayHost;
    HoldSources &holdSources;

    // The services the process-wide shared instances are built with.
    static Platform &current();
    static void setCurrent(Platform *platform);
};
