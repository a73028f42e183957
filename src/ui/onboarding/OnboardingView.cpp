#include "OnboardingView.h"

#include "ProgressDots.h"
#include "appstate/AppState.h"
#include "platform/InputMonitoring.h"
#include "platform/Platform.h"
#include "settings/UserSettings.h"
#include "ui/about/AboutInfoView.h"
#include "ui/onboarding/steps/AccessibilityPermissionStep.h"
#include "ui/onboarding/steps/CompleteStep.h"
#include "ui/onboarding/steps/IntervalsStep.h"
#include "ui/onboarding/steps/NotificationPermissionStep.h"
#include "ui/onboarding/steps/WelcomeStep.h"

#include <QVBoxLayout>

OnboardingView::OnboardingView(Services services, bool isInfoMode, std::function<void()> dismiss, QWidget *parent)
    : QWidget(parent),
      m_services(std::move(services)),
      m_isInfoMode(isInfoMode),
      m_dismiss(std::move(dismiss)),
      m_layout(new QVBoxLayout(this))
{
    setFixedSize(kSize);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    if (m_isInfoMode) {
        m_content = new AboutInfoView(
            [this] {
                if (m_dismiss)
                    m_dismiss();
                else
                    window()->close();
            },
            m_services.platform.input.methodName());
        m_layout->addWidget(m_content);
        return;
    }
    m_progress = new ProgressDots;
    m_layout->addSpacing(20);
    m_layout->addWidget(m_progress, 0, Qt::AlignHCenter);
    m_layout->addSpacing(10);
    showStep(OnboardingStep::welcome);
}

void OnboardingView::showStep(OnboardingStep step)
{
    if (m_isInfoMode)
        return;
    m_currentStep = step;
    m_progress->setCurrentStep(step);
    QWidget *next = makeStep(step);
    if (m_content) {
        delete m_layout->replaceWidget(m_content, next);
        m_content->hide();
        m_content->deleteLater();
    } else {
        m_layout->addWidget(next, 1);
    }
    m_content = next;
    m_content->show();
    emit stepChanged(step);
}

QWidget *OnboardingView::makeStep(OnboardingStep step)
{
    switch (step) {
    case OnboardingStep::welcome: {
        auto *view = new WelcomeStep;
        connect(view, &WelcomeStep::next, this, [this] { showStep(OnboardingStep::accessibility); });
        return view;
    }
    case OnboardingStep::accessibility: {
        auto *view = new AccessibilityPermissionStep(m_services.platform.input, m_services.platform.mainLoop);
        connect(view, &AccessibilityPermissionStep::next, this, [this] { showStep(OnboardingStep::notifications); });
        return view;
    }
    case OnboardingStep::notifications: {
        auto *view = new NotificationPermissionStep(m_services.platform.notifications);
        connect(view, &NotificationPermissionStep::next, this, [this] { showStep(OnboardingStep::intervals); });
        return view;
    }
    case OnboardingStep::intervals: {
        auto *view = new IntervalsStep(m_services.settings);
        connect(view, &IntervalsStep::next, this, [this] { showStep(OnboardingStep::complete); });
        return view;
    }
    case OnboardingStep::complete: {
        auto *view = new CompleteStep;
        connect(view, &CompleteStep::finish, this, &OnboardingView::finishFlow);
        return view;
    }
    }
    return new QWidget;
}

void OnboardingView::finishFlow()
{
    // The window that shows this flow swaps it for the main view on this change of the
    // preference, and may delete this view right away: hold on to what comes after.
    UserSettings &settings = m_services.settings;
    AppState &appState = m_services.appState;
    settings.setHasCompletedOnboarding(true);
    appState.start();
}
