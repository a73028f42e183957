#include "MenuBarPanelModel.h"

#include "ui/common/format/CountdownText.h"

namespace {

struct Status {
    QString text;
    ColorRole color;
};

Status statusOf(const MenuBarPanelModel::Inputs &inputs)
{
    const TimerSnapshot &timer = inputs.timer;
    if (timer.snoozeActive)
        return {QStringLiteral("On a meet (%1)").arg(CountdownText::format(timer.snoozeSecondsRemaining)),
                ColorRole::purple};
    if (timer.trackingPaused)
        return {QStringLiteral("Paused"), ColorRole::gray};
    switch (timer.state) {
    case TimerState::working:
        return inputs.userPresent ? Status{QStringLiteral("Working"), ColorRole::green}
                                  : Status{QStringLiteral("Away"), ColorRole::gray};
    case TimerState::breakWaiting:
        return {QStringLiteral("Go away!"), ColorRole::red};
    case TimerState::breakActive:
        return {QStringLiteral("On break"), ColorRole::orange};
    }
    return {QString(), ColorRole::gray};
}

} // namespace

MenuBarPanelModel MenuBarPanelModel::make(const Inputs &inputs)
{
    using Entry = MenuBarPanelModel::Entry;
    MenuBarPanelModel model;
    const Status status = statusOf(inputs);
    model.statusText = status.text;
    model.statusColor = status.color;
    model.longBreakCounterText =
        QString::number(longBreakCounter(inputs.completedSessionsToday, inputs.longBreakEvery)) + QChar(0x2615);
    model.currentTaskTitle = inputs.currentTaskTitle;
    if (inputs.timer.snoozeActive)
        model.takeBreakNow = Entry{Action::takeBreakNow, QStringLiteral("cup.and.saucer.fill"),
                                   QStringLiteral("Take Break Now"), ColorRole::orange};
    if (!inputs.holdText.isEmpty()) {
        model.holdText = inputs.holdText;
        model.remindAnyway = Entry{Action::remindAnyway, QStringLiteral("bell.badge.fill"),
                                   QStringLiteral("Remind me anyway"), ColorRole::orange};
    }
    model.sectionEntries = {
        {Action::focusBoard, QStringLiteral("checklist"), QStringLiteral("Focus Board")},
        {Action::stats, QStringLiteral("chart.bar.fill"), QStringLiteral("Stats")},
        {Action::settings, QStringLiteral("gearshape"), QStringLiteral("Settings")},
    };
    model.applicationEntries = {
        {Action::about, QStringLiteral("info.circle"), QStringLiteral("About Pelmix")},
        {Action::quit, QStringLiteral("xmark.circle"), QStringLiteral("Quit Pelmix")},
    };
    return model;
}

qint64 MenuBarPanelModel::longBreakCounter(qint64 completed, qint64 every)
{
    if (every <= 0)
        return 0;
    return every - ((completed % every) + every) % every;
}

std::optional<AppSection> MenuBarPanelModel::sectionFor(Action action)
{
    switch (action) {
    case Action::focusBoard:
        return AppSection::focus;
    case Action::stats:
        return AppSection::stats;
    case Action::settings:
        return AppSection::settings;
    default:
        return std::nullopt;
    }
}
