#pragma once

#include "MenuBarPanelModel.h"

class AppState;

// What the tray panel and menu decide from.
namespace ViewInputs {

MenuBarPanelModel::Inputs panel(const AppState &appState);

} // namespace ViewInputs
