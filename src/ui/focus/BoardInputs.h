#pragma once

#include "FocusBoardModel.h"

class ActivityMonitor;
class BreakHold;
class TodoManager;
class WorkTimer;

// What the focus board's status card decides from.
namespace ViewInputs {

FocusBoardModel::Inputs board(const WorkTimer &workTimer, const ActivityMonitor &monitor,
                              const TodoManager &todoManager, const BreakHold &hold);

} // namespace ViewInputs
