#include "ProgressDots.h"

#include "ui/common/widgets/ScreenStyle.h"

#include <QPainter>

ProgressDots::ProgressDots(QWidget *parent) : QWidget(parent) { setFixedSize(sizeHint()); }

void ProgressDots::setCurrentStep(OnboardingStep step)
{
    m_current = step;
    update();
}

QSize ProgressDots::sizeHint() const
{
    const int count = static_cast<int>(kAllOnboardingSteps.size());
    return {count * kDotSize + (count - 1) * kSpacing, kDotSize};
}

void ProgressDots::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    QColor faint = ScreenStyle::color(ColorRole::gray, palette());
    faint.setAlphaF(0.3f);
    int x = 0;
    for (OnboardingStep step : kAllOnboardingSteps) {
        painter.setBrush(isFilled(step) ? ScreenStyle::accent(palette()) : faint);
        painter.drawEllipse(QRectF(x, 0, kDotSize, kDotSize));
        x += kDotSize + kSpacing;
    }
}
