#pragma once

#include "platform/Platform.h"

#include <memory>

class QtDesktop;

// Owns the real Linux services and exposes them as a Platform.
class LinuxPlatform {
public:
    LinuxPlatform();
    ~LinuxPlatform();

    Platform &platform();
    QtDesktop &desktop();

private:
    struct Services;
    std::unique_ptr<Services> m_services;
    std::unique_ptr<Platform> m_platform;
};
