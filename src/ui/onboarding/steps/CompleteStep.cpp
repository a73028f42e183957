#include "CompleteStep.h"

#include "ui/common/widgets/ScreenStyle.h"
#include "ui/common/widgets/StepParts.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CompleteStep::CompleteStep(QWidget *parent)
    : QWidget(parent),
      m_main(StepParts::mainButton(QStringLiteral("Let's Go!")))
{
    const QColor secondary = ScreenStyle::secondaryText(palette());
    QVBoxLayout *layout = StepParts::stackLayout(this);
    StepParts::addSymbol(layout, QStringLiteral("checkmark.circle.fill"), 60, ColorRole::green);
    StepParts::addText(layout, QStringLiteral("All Set!"), 28, true);
    QLabel *body = StepParts::addText(layout, QStringLiteral("Pelmix will remind you to take breaks.\nStay healthy!"),
                                      16, false, secondary);
    body->setWordWrap(false);
    StepParts::addMainButton(layout, m_main);
    StepParts::finish(layout);
    connect(m_main, &QPushButton::clicked, this, &CompleteStep::finish);
}
