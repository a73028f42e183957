#include "MenuBarLabelModel.h"

#include "ui/common/format/CountdownText.h"

#include <algorithm>

MenuBarLabelModel MenuBarLabelModel::make(const TimerSnapshot &timer, const QString &holdText)
{
    MenuBarLabelModel model;
    switch (timer.state) {
    case TimerState::working:
        model.symbol = QStringLiteral("circle.fill");
        break;
    case TimerState::breakWaiting:
        model.symbol = QStringLiteral("exclamationmark.circle.fill");
        break;
    case TimerState::breakActive:
        model.symbol = QStringLiteral("cup.and.saucer.fill");
        break;
    }
    model.secondsLeft = std::max<qint64>(0, timer.phaseSecondsLeft());
    model.timeText = CountdownText::format(model.secondsLeft);
    model.holdText = holdText;
    return model;
}
