#pragma once

#include <array>
#include <optional>

// The steps of the first-run flow, in order.
enum class OnboardingStep { welcome = 0, accessibility = 1, notifications = 2, intervals = 3, complete = 4 };

inline constexpr std::array kAllOnboardingSteps{OnboardingStep::welcome, OnboardingStep::accessibility,
                                                OnboardingStep::notifications, OnboardingStep::intervals,
                                                OnboardingStep::complete};

constexpr int rawValue(OnboardingStep step) { return static_cast<int>(step); }

// No step for a raw value outside 0 to 4.
constexpr std::optional<OnboardingStep> onboardingStep(int raw)
{
    if (raw < 0 || raw >= static_cast<int>(kAllOnboardingSteps.size()))
        return std::nullopt;
    return static_cast<OnboardingStep>(raw);
}

// The step each step's main action leads to; none after the last.
constexpr std::optional<OnboardingStep> nextStep(OnboardingStep step) { return onboardingStep(rawValue(step) + 1); }
