#pragma once

#include "OnboardingStep.h"

#include <QWidget>

// One 8-pixel dot per step, 4 apart: filled in the accent colour up to the current step,
// faint grey after it.
class ProgressDots : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDotSize = 8;
    static constexpr int kSpacing = 4;

    explicit ProgressDots(QWidget *parent = nullptr);

    void setCurrentStep(OnboardingStep step);
    OnboardingStep currentStep() const { return m_current; }
    // Whether the dot of `step` is filled.
    bool isFilled(OnboardingStep step) const { return rawValue(step) <= rawValue(m_current); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    OnboardingStep m_current = OnboardingStep::welcome;
};
