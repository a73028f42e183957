#pragma once

// The real main loop and log over a temporary data folder, with every other service of the
// operating system doing nothing: for benchmarks of the program's own work.
#include "platform/DataLocations.h"
#include "platform/Desktop.h"
#include "platform/InputMonitoring.h"
#include "platform/LoginItem.h"
#include "platform/NotificationCenter.h"
#include "platform/Platform.h"
#include "platform/HoldSources.h"
#include "platform/SessionEvents.h"
#include "platform/tray/StatusItem.h"
#include "platform/tray/TrayHost.h"
#include "platform/linux/system/QtMainLoop.h"
#include "platform/linux/system/StdoutLogger.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include <utility>

namespace bench {

class FolderLocations final : public DataLocations {
public:
    explicit FolderLocations(QString folder) : m_folder(std::move(folder)) {}
    QString documentsFolder() const override { return m_folder; }

private:
    QString m_folder;
};

class NoInput final : public InputMonitoring {
public:
    bool isTrusted() override { return false; }
    void promptForTrust() override {}
    std::unique_ptr<InputTap> createTap(std::function<void()>) override { return nullptr; }
};

class NoLoginItem final : public LoginItem {
public:
    std::optional<QString> registerItem() override { return std::nullopt; }
    std::optional<QString> unregisterItem() override { return std::nullopt; }
};

class NoNotifications final : public NotificationCenter {
public:
    void requestAuthorization(AuthorizationCompletion) override {}
    void setNotificationCategories(const QList<NotificationCategory> &) override {}
    void add(const NotificationRequest &, AddCompletion) override {}
    void setResponseHandler(ResponseHandler) override {}
};

class NoDesktop final : public Desktop {
public:
    std::optional<QString> askSaveFileName(const QString &, const QString &, const QStringList &) override
    {
        return std::nullopt;
    }
    int runModalAlert(const AlertRequest &) override { return kFirstButton; }
    void openUrl(const QUrl &) override {}
    void activateIgnoringOtherApps() override {}
    void terminate() override {}
};

class NoTrayHost final : public TrayHost {
public:
    std::optional<QRect> panelAt(const QPoint &) const override { return std::nullopt; }
    std::optional<QPoint> pointer() const override { return std::nullopt; }
    Look panelLook() const override { return Look::dark; }
    std::unique_ptr<StatusItem> createStatusItem(QMenu &) const override { return nullptr; }
};


struct QuietPlatform {
    QTemporaryDir folder;
    QtMainLoop mainLoop;
    StdoutLogger log;
    QSettings preferences{QDir(folder.path()).filePath(QStringLiteral("bench.conf")), QSettings::IniFormat};
    FolderLocations locations{folder.path()};
    NoInput input;
    NoLoginItem loginItem;
    NoDesktop desktop;
    NoNotifications notifications;
    SessionEvents sessionEvents;
    HoldSources holdSources;
    NoTrayHost trayHost;
    Platform platform{.mainLoop = mainLoop,
                      .log = log,
                      .preferences = preferences,
                      .locations = locations,
                      .input = input,
                      .loginItem = loginItem,
                      .desktop = desktop,
                      .notifications = notifications,
                      .sessionEvents = sessionEvents,
                      .trayHost = trayHost,
                      .holdSources = holdSources};

    QuietPlatform() { locations.ensureDataFolder(); }
};

} // namespace bench
