#include "NotificationPermissionStep.h"

#include "platform/NotificationCenter.h"
#include "ui/common/widgets/ScreenStyle.h"
#include "ui/common/widgets/StepParts.h"

#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

NotificationPermissionStep::NotificationPermissionStep(NotificationCenter &notifications, QWidget *parent)
    : QWidget(parent),
      m_notifications(notifications),
      m_main(StepParts::mainButton({})),
      m_skip(StepParts::secondaryButton(QStringLiteral("Skip")))
{
    QVBoxLayout *layout = StepParts::stackLayout(this);
    StepParts::addSymbol(layout, QStringLiteral("bell.badge.fill"), 50, ColorRole::orange);
    StepParts::addText(layout, QStringLiteral("Notifications"), 24, true);
    StepParts::addText(layout, QStringLiteral("Get reminded when it's time to take a break"), 14, false,
                       ScreenStyle::secondaryText(palette()), 30);
    StepParts::addMainButton(layout, m_main);
    layout->addWidget(m_skip, 0, Qt::AlignHCenter);
    StepParts::finish(layout);

    connect(m_main, &QPushButton::clicked, this, [this] {
        // The answer may come after the user skipped and this step is gone.
        m_notifications.requestAuthorization([self = QPointer(this)](bool granted, const std::optional<QString> &) {
            if (!self)
                return;
            self->m_permissionGranted = granted;
            self->refresh();
            emit self->next();
        });
    });
    connect(m_skip, &QPushButton::clicked, this, &NotificationPermissionStep::next);
    refresh();
}

void NotificationPermissionStep::refresh()
{
    m_main->setText(m_permissionGranted ? QStringLiteral("Continue") : QStringLiteral("Enable Notifications"));
}
