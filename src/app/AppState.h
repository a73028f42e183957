#pragma once

#include "app/AppSection.h"
#include "platform/MainLoop.h"

#include <QObject>

#include <memory>
#include <optional>

class ActivityMonitor;
struct Platform;
class StatsManager;
class TodoManager;
class UserSettings;

// The single long-lived application state: owns every manager and the interface flags.
class AppState : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool showMainWindow READ showMainWindow WRITE setShowMainWindow NOTIFY showMainWindowChanged)
    Q_PROPERTY(bool showSettings READ showSettings WRITE setShowSettings NOTIFY showSettingsChanged)
    Q_PROPERTY(bool showTodoBoard READ showTodoBoard WRITE setShowTodoBoard NOTIFY showTodoBoardChanged)

public:
    AppState(Platform &platform, StatsManager &statsManager, TodoManager &todoManager, UserSettings &settings,
             QObject *parent = nullptr);
    ~AppState() override;

    static AppState &shared();

    ActivityMonitor &activityMonitor() const { return *m_activityMonitor; }
    StatsManager &statsManager() const { return m_statsManager; }
    TodoManager &todoManager() const { return m_todoManager; }
    UserSettings &settings() const { return m_settings; }

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

signals:
    void showMainWindowChanged();
    void showSettingsChanged();
    void showTodoBoardChanged();
    void selectedSectionChanged();

private:
    Platform &m_platform;
    std::unique_ptr<ActivityMonitor> m_activityMonitor;
    StatsManager &m_statsManager;
    TodoManager &m_todoManager;
    UserSettings &m_settings;
    bool m_showMainWindow = false;
    bool m_showSettings = false;
    bool m_showTodoBoard = false;
    std::optional<AppSection> m_selectedSection;
    ScheduledWorkHandle m_settingsSyncDebounceTask;
};
