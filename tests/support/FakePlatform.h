#pragma once

#include "FakeMainLoop.h"
#include "platform/DataLocations.h"
#include "platform/Desktop.h"
#include "platform/HoldSources.h"
#include "platform/InputMonitoring.h"
#include "platform/Logger.h"
#include "platform/LoginItem.h"
#include "platform/NotificationCenter.h"
#include "platform/Platform.h"
#include "platform/SessionEvents.h"
#include "platform/tray/StatusItem.h"
#include "platform/tray/TrayHost.h"

#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class RecordingLogger final : public Logger {
public:
    void line(const QString &message) override { lines.append(message); }
    QStringList lines;
};

class TempDataLocations final : public DataLocations {
public:
    explicit TempDataLocations(QString documents) : documents(std::move(documents)) {}
    QString documentsFolder() const override { return documents; }
    QString documents;
};

class FakeInputMonitoring final : public InputMonitoring {
public:
    struct Tap final : InputTap {
        Tap(FakeInputMonitoring &owner, std::function<void()> onActivity)
            : owner(owner),
              onActivity(std::move(onActivity))
        {
            owner.activeTap = this;
        }
        ~Tap() override
        {
            if (owner.activeTap == this)
                owner.activeTap = nullptr;
        }
        FakeInputMonitoring &owner;
        std::function<void()> onActivity;
    };

    bool isTrusted() override { return trusted; }
    void promptForTrust() override { ++prompts; }
    std::unique_ptr<InputTap> createTap(std::function<void()> onActivity) override
    {
        if (tapCreationFails)
            return nullptr;
        ++tapsCreated;
        return std::make_unique<Tap>(*this, std::move(onActivity));
    }
    QString methodName() const override { return QStringLiteral("fake input"); }
    // Delivers input through the installed tap, if any.
    void simulateInput()
    {
        if (activeTap)
            activeTap->onActivity();
    }

    bool trusted = true;
    bool tapCreationFails = false;
    int prompts = 0;
    int tapsCreated = 0;
    Tap *activeTap = nullptr;
};

class FakeLoginItem final : public LoginItem {
public:
    std::optional<QString> registerItem() override
    {
        registered = true;
        return std::nullopt;
    }
    std::optional<QString> unregisterItem() override
    {
        registered = false;
        return std::nullopt;
    }
    bool registered = false;
};

// Panels as a test sets them: none known, unless given.
// An item for desktops whose panels show none: it is never published.
class AbsentStatusItem final : public StatusItem {
public:
    void probeHost() override { emit hostProbed(false); }
    void publish() override {}
    void withdraw() override {}
    bool isPublished() const override { return false; }
    void setAppearance(const QString &, const QList<QImage> &, const QString &, const QString &) override {}
    void prepareFace(const QString &, const QList<QImage> &) override {}
    void setToolTipText(const QString &) override {}
};

class FakeTrayHost final : public TrayHost {
public:
    std::optional<QRect> panelAt(const QPoint &point) const override
    {
        return panel && panel->contains(point) ? panel : std::nullopt;
    }
    std::optional<QPoint> pointer() const override { return pointerAt; }
    Look panelLook() const override { return look; }
    std::unique_ptr<StatusItem> createStatusItem(QMenu &menu) const override
    {
        return statusItems ? statusItems(menu) : std::make_unique<AbsentStatusItem>();
    }

    // Where a test wants real status items (on a bus of its own).
    std::function<std::unique_ptr<StatusItem>(QMenu &)> statusItems;
    std::optional<QRect> panel;
    std::optional<QPoint> pointerAt;
    Look look = Look::dark;
};

class FakeDesktop final : public Desktop {
public:
    int runModalAlert(const AlertRequest &request) override
    {
        alerts.append(request);
        return kFirstButton;
    }
    void openUrl(const QUrl &url) override { openedUrls.append(url); }
    std::optional<QString> askSaveFileName(const QString &, const QString &suggestedName, const QStringList &) override
    {
        suggestedNames.append(suggestedName);
        return saveFileName;
    }
    void activateIgnoringOtherApps() override { ++activations; }
    void terminate() override { ++terminations; }

    QList<AlertRequest> alerts;
    QList<QUrl> openedUrls;
    // The answer to the save dialog, and the names it suggested.
    std::optional<QString> saveFileName;
    QStringList suggestedNames;
    int activations = 0;
    int terminations = 0;
};

// Records what the program asks of the notification service and answers through the main
// loop, as the real service answers later on the main thread.
class FakeNotificationCenter final : public NotificationCenter {
public:
    explicit FakeNotificationCenter(MainLoop &mainLoop) : m_mainLoop(mainLoop) {}

    void requestAuthorization(AuthorizationCompletion completion) override
    {
        m_mainLoop.post([completion, granted = granted] { completion(granted, std::nullopt); });
    }
    void setNotificationCategories(const QList<NotificationCategory> &) override {}
    void add(const NotificationRequest &request, AddCompletion completion) override
    {
        requests.append(request);
        if (completion)
            m_mainLoop.post([completion] { completion(std::nullopt); });
    }
    void setResponseHandler(ResponseHandler handler) override { respond = std::move(handler); }

    // The answer to authorisation requests.
    bool granted = true;
    QList<NotificationRequest> requests;
    // The user answering a notification.
    ResponseHandler respond;

private:
    MainLoop &m_mainLoop;
};

// Fakes of every platform service over a temporary folder that holds the preferences
// file and the Documents folder. A test of a real notification service passes it in to
// stand in for the fake one.
class FakePlatform {
public:
    explicit FakePlatform(NotificationCenter *notificationCenter = nullptr)
        : m_platform(std::make_unique<Platform>(
              Platform{mainLoop, log, *preferences, locations, input, loginItem, desktop,
                       notificationCenter ? *notificationCenter : notifications, sessionEvents, trayHost, holdSources}))
    {}

    Platform &platform() { return *m_platform; }
    // A second view of the same preferences file, as another run of the program would see it.
    std::unique_ptr<QSettings> reopenPreferences() const
    {
        return std::make_unique<QSettings>(preferences->fileName(), QSettings::IniFormat);
    }

    QTemporaryDir folder;
    FakeMainLoop mainLoop;
    RecordingLogger log;
    std::unique_ptr<QSettings> preferences =
        std::make_unique<QSettings>(folder.filePath(QStringLiteral("Pelmix.conf")), QSettings::IniFormat);
    TempDataLocations locations{folder.filePath(QStringLiteral("Documents"))};
    FakeInputMonitoring input;
    FakeLoginItem loginItem;
    FakeDesktop desktop;
    FakeNotificationCenter notifications{mainLoop};
    SessionEvents sessionEvents;
    HoldSources holdSources;
    FakeTrayHost trayHost;

private:
    std::unique_ptr<Platform> m_platform;
};
