#include "FocusBoardModel.h"

#include "ui/common/format/CountdownText.h"
#include "ui/common/format/DurationFormat.h"

#include <algorithm>

namespace {

void decideCountdown(FocusBoardModel &model, const TimerSnapshot &timer)
{
    qint64 value = 0;
    if (timer.snoozeActive) {
        model.countdownLabel = QStringLiteral("On a meet");
        value = timer.snoozeSecondsRemaining;
        model.countdownColor = ColorRole::purple;
        model.progress = 1.0 - static_cast<double>(timer.snoozeSecondsRemaining) /
                                   static_cast<double>(FocusBoardModel::kSnoozeSeconds);
        model.progressColor = ColorRole::purple;
    } else {
        switch (timer.state) {
        case TimerState::working: {
            model.countdownLabel = QStringLiteral("Break in");
            value = timer.breakIntervalSeconds - timer.workSeconds;
            model.countdownColor = value > FocusBoardModel::kWarningSeconds ? ColorRole::primary : ColorRole::orange;
            model.progress = timer.workProgress();
            model.progressColor = model.progress >= 1.0   ? ColorRole::red
                                  : model.progress >= 0.8 ? ColorRole::orange
                                                          : ColorRole::green;
            break;
        }
        case TimerState::breakWaiting:
        case TimerState::breakActive: {
            // A break still waiting for the user to leave is red; one being taken is orange.
            const bool waiting = timer.state == TimerState::breakWaiting;
            model.countdownLabel = waiting ? QStringLiteral("Step away!") : QStringLiteral("Break left");
            value = timer.breakDurationSeconds - timer.breakSeconds;
            model.countdownColor = waiting ? ColorRole::red : ColorRole::orange;
            model.progress = timer.breakProgress();
            model.progressColor = model.countdownColor;
            break;
        }
        }
    }
    model.countdownSeconds = std::max<qint64>(0, value);
    model.countdownText = CountdownText::format(model.countdownSeconds);
    model.showTakeBreak = timer.snoozeActive;
}

} // namespace

FocusBoardModel FocusBoardModel::make(const Inputs &inputs)
{
    FocusBoardModel model;
    model.holdText = inputs.holdText;
    const bool present = inputs.userPresent;
    model.presenceColor = present ? ColorRole::green : ColorRole::gray;
    model.haloOpacity = present ? 0.2 : 0.1;
    model.presenceSymbol = present ? QStringLiteral("keyboard.fill") : QStringLiteral("moon.zzz.fill");
    model.presenceText = present ? QStringLiteral("Active") : QStringLiteral("Idle");
    model.presenceTextColor = present ? ColorRole::green : ColorRole::secondary;

    if (inputs.currentTask) {
        model.taskTitle = inputs.currentTask->title;
        const bool running = inputs.timer.state == TimerState::working && present;
        model.focusStateSymbol = running ? QStringLiteral("play.fill") : QStringLiteral("pause.fill");
        model.focusTimeText = DurationFormat::clock(inputs.currentTask->focusSeconds);
    }
    decideCountdown(model, inputs.timer);
    return model;
}
