#pragma once

#include "FakeMainLoop.h"
#include "FakeNotificationCenter.h"
#include "platform/DataLocations.h"
#include "platform/Desktop.h"
#include "platform/InputMonitoring.h"
#include "platform/Logger.h"
#include "platform/LoginItem.h"
#include "platform/Platform.h"
#include "platform/SessionEvents.h"

#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

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
    class Tap final : public InputTap {
    public:
        Tap(FakeInputMonitoring &owner, std::function<void()> onActivity);
        ~Tap() override;
        FakeInputMonitoring &owner;
        std::function<void()> onActivity;
    };

    bool isTrusted() override { return trusted; }
    void promptForTrust() override { ++prompts; }
    std::unique_ptr<InputTap> createTap(std::function<void()> onActivity) override;
    QString methodName() const override { return QStringLiteral("fake input"); }

    // Delivers input through the installed tap, if any.
    void simulateInput();

    bool trusted = true;
    bool tapCreationFails = false;
    int prompts = 0;
    int tapsCreated = 0;
    Tap *activeTap = nullptr;
};

class FakeLoginItem final : public LoginItem {
public:
    std::optional<QString> registerItem() override;
    std::optional<QString> unregisterItem() override;
    bool registered = false;
    std::optional<QString> failure;
    int calls = 0;
};

class FakeDesktop final : public Desktop {
public:
    int runModalAlert(const AlertRequest &request) override;
    void openUrl(const QUrl &url) override { openedUrls.append(url); }
    void activateIgnoringOtherApps() override { ++activations; }
    void terminate() override { ++terminations; }

    QList<AlertRequest> alerts;
    int alertAnswer = kFirstButton;
    QList<QUrl> openedUrls;
    int activations = 0;
    int terminations = 0;
};

// Fakes of every platform service over a temporary folder that holds the preferences
// file and the Documents folder. A test of a real notification service passes it in to
// stand in for the fake one.
class FakePlatform {
public:
    explicit FakePlatform(NotificationCenter *notificationCenter = nullptr);

    Platform &platform() { return *m_platform; }
    QString preferencesPath() const;
    // A second view of the same preferences file, as another run of the program would see it.
    std::unique_ptr<QSettings> reopenPreferences() const;

    QTemporaryDir folder;
    FakeMainLoop mainLoop;
    RecordingLogger log;
    std::unique_ptr<QSettings> preferences;
    TempDataLocations locations;
    FakeInputMonitoring input;
    FakeLoginItem loginItem;
    FakeDesktop desktop;
    FakeNotificationCenter notifications{mainLoop};
    SessionEvents sessionEvents;

private:
    std::unique_ptr<Platform> m_platform;
};
