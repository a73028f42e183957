#include "FakePlatform.h"

#include <QDir>

FakeInputMonitoring::Tap::Tap(FakeInputMonitoring &owner, std::function<void()> onActivity)
    : owner(owner),
      onActivity(std::move(onActivity))
{
    owner.activeTap = this;
}

FakeInputMonitoring::Tap::~Tap()
{
    if (owner.activeTap == this)
        owner.activeTap = nullptr;
}

std::unique_ptr<InputTap> FakeInputMonitoring::createTap(std::function<void()> onActivity)
{
    if (tapCreationFails)
        return nullptr;
    ++tapsCreated;
    return std::make_unique<Tap>(*this, std::move(onActivity));
}

void FakeInputMonitoring::simulateInput()
{
    if (activeTap)
        activeTap->onActivity();
}

std::optional<QString> FakeLoginItem::registerItem()
{
    ++calls;
    if (failure)
        return failure;
    registered = true;
    return std::nullopt;
}

std::optional<QString> FakeLoginItem::unregisterItem()
{
    ++calls;
    if (failure)
        return failure;
    registered = false;
    return std::nullopt;
}

int FakeDesktop::runModalAlert(const AlertRequest &request)
{
    alerts.append(request);
    return alertAnswer;
}

FakePlatform::FakePlatform(NotificationCenter *notificationCenter)
    : preferences(std::make_unique<QSettings>(QDir(folder.path()).filePath(QStringLiteral("Pelmix.conf")),
                                              QSettings::IniFormat)),
      locations(QDir(folder.path()).filePath(QStringLiteral("Documents"))),
      m_platform(std::make_unique<Platform>(Platform{mainLoop, log, *preferences, locations, input, loginItem, desktop,
                                                     notificationCenter ? *notificationCenter : notifications, sessionEvents}))
{}

QString FakePlatform::preferencesPath() const { return preferences->fileName(); }

std::unique_ptr<QSettings> FakePlatform::reopenPreferences() const
{
    return std::make_unique<QSettings>(preferencesPath(), QSettings::IniFormat);
}
