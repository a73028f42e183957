#include "SettingsOptions.h"

#include "settings/UserSettings.h"

#include <algorithm>

namespace SettingsOptions {

QString title(SettingsPicker picker)
{
    switch (picker) {
    case SettingsPicker::sessionLength:
        return QStringLiteral("Session length");
    case SettingsPicker::shortBreak:
        return QStringLiteral("Short break");
    case SettingsPicker::longBreak:
        return QStringLiteral("Long break");
    case SettingsPicker::longBreakEvery:
        return QStringLiteral("Long break every");
    case SettingsPicker::idleTimeout:
        return QStringLiteral("Idle timeout");
    }
    return {};
}

std::vector<PickerOption> options(SettingsPicker picker, bool developerMode)
{
    std::vector<PickerOption> list;
    switch (picker) {
    case SettingsPicker::sessionLength:
        if (developerMode)
            list.push_back({QStringLiteral("10s"), 0});
        list.insert(list.end(),
                    {{QStringLiteral("15 min"), 15}, {QStringLiteral("25 min"), 25}, {QStringLiteral("50 min"), 50}});
        break;
    case SettingsPicker::shortBreak:
        if (developerMode)
            list.push_back({QStringLiteral("5s"), 0});
        list.insert(list.end(), {{QStringLiteral("5 min"), 5}, {QStringLiteral("10 min"), 10}});
        break;
    case SettingsPicker::longBreak:
        list = {{QStringLiteral("15 min"), 15}, {QStringLiteral("20 min"), 20}, {QStringLiteral("30 min"), 30}};
        break;
    case SettingsPicker::longBreakEvery:
        list = {
            {QStringLiteral("3 sessions"), 3}, {QStringLiteral("4 sessions"), 4}, {QStringLiteral("5 sessions"), 5}};
        break;
    case SettingsPicker::idleTimeout:
        list = {{QStringLiteral("30 sec"), 30}, {QStringLiteral("1 min"), 60}, {QStringLiteral("2 min"), 120}};
        break;
    }
    return list;
}

QString labelForValue(SettingsPicker picker, qint64 value)
{
    switch (picker) {
    case SettingsPicker::sessionLength:
        // The work timer runs a stored 0 as a 10-second interval and a 0 break as 5 seconds.
        return value == 0 ? QStringLiteral("10s") : QStringLiteral("%1 min").arg(value);
    case SettingsPicker::shortBreak:
        return value == 0 ? QStringLiteral("5s") : QStringLiteral("%1 min").arg(value);
    case SettingsPicker::longBreak:
        return QStringLiteral("%1 min").arg(value);
    case SettingsPicker::longBreakEvery:
        return value == 1 ? QStringLiteral("1 session") : QStringLiteral("%1 sessions").arg(value);
    case SettingsPicker::idleTimeout:
        if (value > 0 && value % 60 == 0)
            return QStringLiteral("%1 min").arg(value / 60);
        return QStringLiteral("%1 sec").arg(value);
    }
    return {};
}

PickerChoices choices(SettingsPicker picker, qint64 storedValue, bool developerMode)
{
    PickerChoices result;
    for (PickerOption &option : options(picker, developerMode))
        result.entries.push_back({std::move(option), true});

    const auto matches = [&](const PickerChoices::Entry &entry) { return entry.option.value == storedValue; };
    auto found = std::find_if(result.entries.begin(), result.entries.end(), matches);
    if (found == result.entries.end()) {
        const auto position = std::find_if(result.entries.begin(), result.entries.end(),
                                           [&](const auto &entry) { return entry.option.value > storedValue; });
        found = result.entries.insert(position, {{labelForValue(picker, storedValue), storedValue}, false});
    }
    result.currentIndex = static_cast<int>(found - result.entries.begin());
    return result;
}

qint64 storedValue(const UserSettings &settings, SettingsPicker picker)
{
    switch (picker) {
    case SettingsPicker::sessionLength:
        return settings.workDuration();
    case SettingsPicker::shortBreak:
        return settings.shortBreakDuration();
    case SettingsPicker::longBreak:
        return settings.longBreakDuration();
    case SettingsPicker::longBreakEvery:
        return settings.longBreakEvery();
    case SettingsPicker::idleTimeout:
        return settings.idleTimeout();
    }
    return 0;
}

void store(UserSettings &settings, SettingsPicker picker, qint64 value)
{
    switch (picker) {
    case SettingsPicker::sessionLength:
        settings.setWorkDuration(value);
        break;
    case SettingsPicker::shortBreak:
        settings.setShortBreakDuration(value);
        break;
    case SettingsPicker::longBreak:
        settings.setLongBreakDuration(value);
        break;
    case SettingsPicker::longBreakEvery:
        settings.setLongBreakEvery(value);
        break;
    case SettingsPicker::idleTimeout:
        settings.setIdleTimeout(value);
        break;
    }
}

QString holdTitle(HoldSources::Source source, HoldSources::Reading reading)
{
    QString what;
    switch (source) {
    case HoldSources::Source::camera:
        what = QStringLiteral("the camera is in use");
        break;
    case HoldSources::Source::microphone:
        what = QStringLiteral("the microphone is in use");
        break;
    case HoldSources::Source::screenShared:
        what = QStringLiteral("the screen is shared");
        break;
    case HoldSources::Source::fullScreen:
        what = QStringLiteral("a full-screen window has the focus");
        break;
    case HoldSources::Source::doNotDisturb:
        what = QStringLiteral("do not disturb is on");
        break;
    }
    const QString title = QStringLiteral("Hold reminders while ") + what;
    return reading == HoldSources::Reading::unknown ? title + QStringLiteral(" (unknown here)") : title;
}

} // namespace SettingsOptions
