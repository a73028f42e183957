#pragma once

#include "OnboardingStep.h"

#include <QWidget>

#include <functional>

class AppState;
class ProgressDots;
class QVBoxLayout;
class UserSettings;
struct Platform;

// The first-run flow, step by step with progress dots; or, in information mode (the about
// window), only the about panel. It sits in a fixed 500 x 450 frame.
class OnboardingView : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize kSize{500, 450};

    struct Services {
        UserSettings &settings;
        AppState &appState;
        Platform &platform;
    };

    // `dismiss` closes the window that hosts the view; without one, the view closes its window.
    OnboardingView(Services services, bool isInfoMode, std::function<void()> dismiss, QWidget *parent = nullptr);

    OnboardingStep currentStep() const { return m_currentStep; }
    bool isInfoMode() const { return m_isInfoMode; }
    // The view of the current step (or the about panel in information mode).
    QWidget *content() const { return m_content; }
    ProgressDots *progress() const { return m_progress; }

    void showStep(OnboardingStep step);

signals:
    void stepChanged(OnboardingStep step);

private:
    QWidget *makeStep(OnboardingStep step);
    void finishFlow();

    Services m_services;
    bool m_isInfoMode;
    std::function<void()> m_dismiss;
    OnboardingStep m_currentStep = OnboardingStep::welcome;
    QVBoxLayout *m_layout;
    ProgressDots *m_progress = nullptr;
    QWidget *m_content = nullptr;
};
