#pragma once

#include "ui/common/ViewFactories.h"

class AppState;
struct Platform;

// The statistics, settings, onboarding and about screens, built over the application state
// for the main and about windows.
ViewFactories screenFactories(AppState &appState, Platform &platform);
