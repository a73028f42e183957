#include "AboutInfoView.h"

#include "ActivityMethodText.h"
#include "ui/common/widgets/FeatureRow.h"
#include "ui/common/widgets/ScreenStyle.h"
#include "ui/common/widgets/StepParts.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AboutInfoView::AboutInfoView(std::function<void()> onClose, const QString &activityMethod, QWidget *parent)
    : QWidget(parent),
      m_onClose(std::move(onClose)),
      m_close(StepParts::mainButton(QStringLiteral("Close")))
{
    auto *layout = StepParts::stackLayout(this);
    StepParts::addIntroduction(layout, this);
    StepParts::addText(layout, ActivityMethodText::line(activityMethod), 12, false,
                       ScreenStyle::secondaryText(palette()));
    StepParts::addText(layout, kHoldsText, 11, false, ScreenStyle::secondaryText(palette()), 24);
    layout->addWidget(ScreenStyle::label(kVersionText, ScreenStyle::font(12), ScreenStyle::secondaryText(palette())), 0,
                      Qt::AlignHCenter);
    StepParts::addMainButton(layout, m_close);
    StepParts::finish(layout);
    connect(m_close, &QPushButton::clicked, this, [this] {
        if (m_onClose)
            m_onClose();
    });
}
