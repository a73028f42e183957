#include "WelcomeStep.h"

#include "ui/common/widgets/StepParts.h"

#include <QPushButton>
#include <QVBoxLayout>

WelcomeStep::WelcomeStep(QWidget *parent)
    : QWidget(parent),
      m_main(StepParts::mainButton(QStringLiteral("Get Started")))
{
    QVBoxLayout *layout = StepParts::stackLayout(this);
    StepParts::addIntroduction(layout, this);
    StepParts::addMainButton(layout, m_main);
    StepParts::finish(layout);
    connect(m_main, &QPushButton::clicked, this, &WelcomeStep::next);
}
