#pragma once

#include "SettingsOptions.h"

#include <QWidget>

#include <map>

class AppState;
class QComboBox;
class QPushButton;
class ToggleSwitch;
class UserSettings;

// The Settings section of the main window: every user-facing preference in six groups.
// Each control stores its preference the moment it changes and shows the stored value
// again on every change of the settings.
class SettingsContent : public QWidget {
    Q_OBJECT
public:
    SettingsContent(UserSettings &settings, AppState &appState, QWidget *parent = nullptr);

    QComboBox *picker(SettingsPicker picker) const { return m_pickers.at(picker); }
    ToggleSwitch *soundToggle() const { return m_sound; }
    ToggleSwitch *launchAtLoginToggle() const { return m_launchAtLogin; }
    ToggleSwitch *developerModeToggle() const { return m_developerMode; }
    QPushButton *resetButton() const { return m_reset; }

private:
    QComboBox *makePicker(SettingsPicker picker);
    void refresh();

    UserSettings &m_settings;
    AppState &m_appState;
    std::map<SettingsPicker, QComboBox *> m_pickers;
    ToggleSwitch *m_sound;
    ToggleSwitch *m_launchAtLogin;
    ToggleSwitch *m_developerMode;
    QPushButton *m_reset;
};
