#pragma once

#include "AppSection.h"
#include "platform/MainLoop.h"

#include <QObject>

#include <memory>
#include <optional>

class ActivityMonitor;
class BreakHold;
class NotificationManager;
class StatsManager;
class TodoManager;
class UserSettings;
class WorkTimer;
struct Platform;

// The single long-lived application state: owns the activity monitor and the work timer,
// holds the shared stores, connects them, and carries the one-shot window requests.
class AppState : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool showMainWindow READ showMainWindow WRITE setShowMainWindow NOTIFY showMainWindowChanged)
    Q_PROPERTY(bool showSettings READ showSettings WRITE setShowSettings NOTIFY showSettingsChanged)
    Q_PROPERTY(bool showTodoBoard READ showTodoBoard WRITE setShowTodoBoard NOTIFY showTodoBoardChanged)

public:
    static constexpr std::chrono::milliseconds kSettingsSyncDelay{100};

    AppState(Platform &platform, StatsManager &stats, TodoManager &todos, UserSettings &settings,
             NotificationManager &notifications, QObject *parent = nullptr);
    ~AppState() override;

    static AppState &shared();

    ActivityMonitor &activityMonitor() const { return *m_activityMonitor; }
    WorkTimer &workTimer() const { return *m_workTimer; }
    BreakHold &breakHold() const { return *m_breakHold; }
    StatsManager &statsManager() const { return m_statsManager; }
    TodoManager &todoManager() const { return m_todoManager; }
    UserSettings &settings() const { return m_settings; }
    NotificationManager &notificationManager() const { return m_notifications; }

    bool showMainWindow() const { return m_showMainWindow; }
    void setShowMainWindow(bool show);
    bool showSettings() const { return m_showSettings; }
    void setShowSettings(bool show);
    bool showTodoBoard() const { return m_showTodoBoard; }
    void setShowTodoBoard(bool show);

    std::optional<AppSection> selectedSection() const { return m_selectedSection; }
    void setSelectedSection(std::optional<AppSection> section);

    // Runs the start-up steps; called at launch and again when the onboarding completes.
    void start();
    // Shows a folder of the user's in the file manager.
    void openFolder(const QString &folder);

    // Makes the task focus clock follow presence and the timer's state.
    void syncTaskTracking();
    // (Re)starts the debounced push of the settings to the monitor and the timer.
    void scheduleSettingsSync();

signals:
    void showMainWindowChanged();
    void showSettingsChanged();
    void showTodoBoardChanged();
    void selectedSectionChanged();

private:
    void installWiring();
    void setTrackingPaused(bool paused);

    Platform &m_platform;
    std::unique_ptr<ActivityMonitor> m_activityMonitor;
    std::unique_ptr<WorkTimer> m_workTimer;
    std::unique_ptr<BreakHold> m_breakHold;
    StatsManager &m_statsManager;
    TodoManager &m_todoManager;
    UserSettings &m_settings;
    NotificationManager &m_notifications;
    bool m_showMainWindow = false;
    bool m_showSettings = false;
    bool m_showTodoBoard = false;
    std::optional<AppSection> m_selectedSection;
    ScheduledWorkHandle m_settingsSyncDebounceTask;
};
