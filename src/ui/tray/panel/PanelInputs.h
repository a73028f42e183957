#pragma once

#include "MenuBarPanelModel.h"

class ActivityMonitor;
class TodoManager;
class UserSettings;
class WorkTimer;

// What the tray panel and menu decide from.
namespace ViewInputs {

MenuBarPanelModel::Inputs panel(const WorkTimer &workTimer, const ActivityMonitor &monitor,
                                const UserSettings &settings, const TodoManager &todoManager);

} // namespace ViewInputs
