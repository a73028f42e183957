#pragma once

#include "SettingsOptions.h"

#include <QWidget>

#include <map>

class AppState;
class QLabel;
class QComboBox;
class QLayout;
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
    ToggleSwitch *holdToggle(HoldSources::Source source) const { return m_holds.at(source).toggle; }
    QString holdTitle(HoldSources::Source source) const;
    QPushButton *resetButton() const { return m_reset; }

private:
    QComboBox *makePicker(SettingsPicker picker);
    void addHoldSwitches(QLayout *layout);
    void refreshHoldTitles();
    void refresh();

    UserSettings &m_settings;
    AppState &m_appState;
    std::map<SettingsPicker, QComboBox *> m_pickers;
    ToggleSwitch *m_sound;
    ToggleSwitch *m_launchAtLogin;
    ToggleSwitch *m_developerMode;
    struct HoldRow {
        ToggleSwitch *toggle;
        QLabel *title;
    };
    std::map<HoldSources::Source, HoldRow> m_holds;
    QPushButton *m_reset;
};
