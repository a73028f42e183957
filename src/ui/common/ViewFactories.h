#pragma once

#include <functional>

class QWidget;

// The screens the main and about windows show that are built elsewhere. An empty factory
// leaves a plain placeholder in its place.
struct ViewFactories {
    using Factory = std::function<QWidget *(QWidget *parent)>;

    Factory stats;      // the Stats section
    Factory settings;   // the Settings section
    Factory onboarding; // the first-run flow, shown until onboarding is complete
    Factory about;      // the about window's content; it closes its window itself
};
