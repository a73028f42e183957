#include "AccessibilityPermissionStep.h"

#include "platform/InputMonitoring.h"
#include "ui/about/ActivityMethodText.h"
#include "ui/common/widgets/FeatureRow.h"
#include "ui/common/widgets/ScreenStyle.h"
#include "ui/common/widgets/StepParts.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AccessibilityPermissionStep::AccessibilityPermissionStep(InputMonitoring &input, MainLoop &mainLoop, QWidget *parent)
    : QWidget(parent),
      m_input(input),
      m_mainLoop(mainLoop),
      m_permissionGranted(input.isTrusted()),
      m_main(StepParts::mainButton({})),
      m_skip(StepParts::secondaryButton(QStringLiteral("Skip for now")))
{
    const QColor secondary = ScreenStyle::secondaryText(palette());
    QVBoxLayout *layout = StepParts::stackLayout(this);
    StepParts::addSymbol(layout, QStringLiteral("keyboard.fill"), 50, ColorRole::blue);
    StepParts::addText(layout, QStringLiteral("Activity Tracking"), 24, true);
    StepParts::addText(layout,
                       QStringLiteral("Pelmix needs to monitor keyboard/mouse activity to know when you're working"),
                       14, false, secondary, 30);
    layout->addWidget(
        FeatureRow::column({{QStringLiteral("hand.tap"), QStringLiteral("Detects when you're at desk")},
                            {QStringLiteral("moon.zzz"), QStringLiteral("Knows when you step away")},
                            {QStringLiteral("lock.shield"), QStringLiteral("No data leaves your computer")}},
                           10));
    m_note = StepParts::addText(layout, {}, 12, false, secondary, 30);
    m_methodLine = StepParts::addText(layout, {}, 12, false, secondary, 30);
    StepParts::addMainButton(layout, m_main);
    layout->addWidget(m_skip, 0, Qt::AlignHCenter);
    StepParts::finish(layout);

    connect(m_main, &QPushButton::clicked, this, &AccessibilityPermissionStep::pressMain);
    connect(m_skip, &QPushButton::clicked, this, &AccessibilityPermissionStep::next);
    refresh();
}

void AccessibilityPermissionStep::pressMain()
{
    if (m_input.isTrusted()) {
        emit next();
        return;
    }
    m_input.promptForTrust();
    // One watch is enough: pressing again prompts again but does not add a second one.
    if (!m_poll)
        m_poll = m_mainLoop.scheduleRepeating(1.0, [this] { poll(); });
}

void AccessibilityPermissionStep::poll()
{
    if (!m_input.isTrusted())
        return;
    invalidate(m_poll);
    m_permissionGranted = true;
    refresh();
}

void AccessibilityPermissionStep::refresh()
{
    m_main->setText(m_permissionGranted ? QStringLiteral("Continue") : QStringLiteral("Enable Activity Tracking"));
    m_note->setText(m_input.missingAccessText());
    m_note->setVisible(!m_permissionGranted);
    m_methodLine->setText(ActivityMethodText::line(m_input.methodName()));
    m_methodLine->setVisible(m_permissionGranted);
}
