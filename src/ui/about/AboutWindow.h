#pragma once

#include "ui/onboarding/OnboardingView.h"

#include <QWidget>

// The about window: the onboarding view in information mode, titled "About Pelmix", known to
// the window system by the identifier "onboarding". Closing it hides only this window.
class AboutWindow : public QWidget {
    Q_OBJECT
public:
    static inline const QString kIdentifier = QStringLiteral("onboarding");
    static inline const QString kTitle = QStringLiteral("About Pelmix");

    explicit AboutWindow(OnboardingView::Services services, QWidget *parent = nullptr);

    OnboardingView *content() const { return m_content; }

    // Shows the window (again) and brings it to the front.
    void bringToFront();

private:
    OnboardingView *m_content;
};
