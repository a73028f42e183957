#include "IntervalsStep.h"

#include "ChoiceChip.h"
#include "IntervalChoices.h"
#include "settings/UserSettings.h"
#include "ui/common/widgets/ScreenStyle.h"
#include "ui/common/widgets/StepParts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// A group label with its row of chips below it, 8 apart.
QWidget *chipGroup(const QString &title, const std::vector<IntervalChip> &chips, std::vector<ChoiceChip *> &made,
                   const QColor &titleColor)
{
    auto *group = new QWidget;
    auto *layout = new QVBoxLayout(group);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(ScreenStyle::label(title, ScreenStyle::font(13), titleColor));
    auto *row = new QHBoxLayout;
    row->setSpacing(8);
    for (const IntervalChip &chip : chips) {
        auto *button = new ChoiceChip(chip.label);
        button->setProperty("minutes", QVariant::fromValue(chip.minutes));
        made.push_back(button);
        row->addWidget(button);
    }
    row->addStretch(1);
    layout->addLayout(row);
    return group;
}
} // namespace

IntervalsStep::IntervalsStep(UserSettings &settings, QWidget *parent)
    : QWidget(parent),
      m_settings(settings),
      m_main(StepParts::mainButton(QStringLiteral("Start Working")))
{
    const QColor secondary = ScreenStyle::secondaryText(palette());
    QVBoxLayout *layout = StepParts::stackLayout(this);
    StepParts::addSymbol(layout, QStringLiteral("timer"), 50, ColorRole::secondary);
    StepParts::addText(layout, QStringLiteral("Set Your Rhythm"), 24, true);

    auto *choices = new QWidget;
    auto *column = new QVBoxLayout(choices);
    column->setContentsMargins(0, 20, 0, 20);
    column->setSpacing(16);
    column->addWidget(chipGroup(QStringLiteral("Work session"), IntervalChoices::workChips(settings.workDuration()),
                                m_workChips, secondary));
    column->addWidget(chipGroup(QStringLiteral("Break"), IntervalChoices::breakChips(settings.shortBreakDuration()),
                                m_breakChips, secondary));
    auto *centring = new QHBoxLayout;
    centring->addStretch(1);
    centring->addWidget(choices);
    centring->addStretch(1);
    layout->addLayout(centring);
    StepParts::addMainButton(layout, m_main);
    StepParts::finish(layout);

    for (ChoiceChip *chip : m_workChips) {
        connect(chip, &ChoiceChip::clicked, this,
                [this, chip] { m_settings.setWorkDuration(chip->property("minutes").toLongLong()); });
    }
    for (ChoiceChip *chip : m_breakChips) {
        connect(chip, &ChoiceChip::clicked, this,
                [this, chip] { m_settings.setShortBreakDuration(chip->property("minutes").toLongLong()); });
    }
    connect(m_main, &QPushButton::clicked, this, &IntervalsStep::next);
    connect(&m_settings, &UserSettings::changed, this, &IntervalsStep::refresh);
    refresh();
}

void IntervalsStep::refresh()
{
    const auto apply = [](const std::vector<ChoiceChip *> &buttons, const std::vector<IntervalChip> &chips) {
        for (size_t i = 0; i < buttons.size(); ++i)
            buttons[i]->setSelected(chips[i].selected);
    };
    apply(m_workChips, IntervalChoices::workChips(m_settings.workDuration()));
    apply(m_breakChips, IntervalChoices::breakChips(m_settings.shortBreakDuration()));
}
