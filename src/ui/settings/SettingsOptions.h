#pragma once

#include "platform/HoldSources.h"

#include <QString>

#include <vector>

class UserSettings;

// The pickers of the settings screen.
enum class SettingsPicker { sessionLength, shortBreak, longBreak, longBreakEvery, idleTimeout };

struct PickerOption {
    QString label;
    qint64 value = 0;

    bool operator==(const PickerOption &) const = default;
};

// What a picker lists and which entry it shows. A stored value that none of the options
// carries (written by the onboarding chips, or a developer value left behind when developer
// mode was turned off) is listed as an entry of its own, in value order, so the picker shows
// what is really in effect; that entry is not `selectable`, so choosing stores listed values only.
struct PickerChoices {
    struct Entry {
        PickerOption option;
        bool selectable = true;
    };
    std::vector<Entry> entries;
    int currentIndex = 0;
};

namespace SettingsOptions {

QString title(SettingsPicker picker);

// The options offered, in order; the developer options come first and only while developer mode is on.
std::vector<PickerOption> options(SettingsPicker picker, bool developerMode);

// How a stored value reads when no option carries it, in the picker's unit.
QString labelForValue(SettingsPicker picker, qint64 value);

PickerChoices choices(SettingsPicker picker, qint64 storedValue, bool developerMode);

// The picker's preference, read from and written to the store.
qint64 storedValue(const UserSettings &settings, SettingsPicker picker);
void store(UserSettings &settings, SettingsPicker picker, qint64 value);

// A hold switch's row: "Hold reminders while the camera is in use", with "unknown here"
// after it where the desktop does not say.
QString holdTitle(HoldSources::Source source, HoldSources::Reading reading);

} // namespace SettingsOptions
