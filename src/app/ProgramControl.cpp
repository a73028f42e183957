#include "ProgramControl.h"

#include "activity/ActivityMonitor.h"
#include "appstate/AppState.h"
#include "export/HistoryExport.h"
#include "platform/MainLoop.h"
#include "stats/StatsManager.h"
#include "tasks/TodoManager.h"
#include "timer/WorkTimer.h"
#include "ui/common/ViewInputs.h"
#include "ui/tray/panel/TrayActions.h"

#include <QDate>
#include <QPointer>

#include <utility>

ProgramControl::ProgramControl(AppState &appState, TrayActions &actions, MainLoop &clock, QObject *parent)
    : RemoteControl(parent),
      m_appState(appState),
      m_clock(clock),
      m_actions(actions)
{
    // What moves the state or the due time; the countdown itself does not. One change often
    // comes as several signals (a snooze sets its flag, then its length): they are announced
    // together, once the change is complete.
    const auto changed = [this] {
        if (std::exchange(m_announcementPending, true))
            return;
        m_clock.post([self = QPointer<ProgramControl>(this)] {
            if (!self)
                return;
            self->m_announcementPending = false;
            // A snooze's length is what it had left when it began.
            const WorkTimer &timer = self->m_appState.workTimer();
            if (!timer.snoozeActive())
                self->m_snoozeSeconds = 0;
            else if (self->m_snoozeSeconds == 0 || timer.snoozeSecondsRemaining() > self->m_snoozeSeconds)
                self->m_snoozeSeconds = timer.snoozeSecondsRemaining();
            emit self->statusChanged();
        });
    };
    WorkTimer *timer = &appState.workTimer();
    for (const auto change : {&WorkTimer::stateChanged, &WorkTimer::snoozeActiveChanged,
                              &WorkTimer::trackingPausedChanged, &WorkTimer::isPresentChanged,
                              &WorkTimer::breakIntervalSecondsChanged, &WorkTimer::breakDurationSecondsChanged})
        connect(timer, change, this, changed);
    connect(&appState.activityMonitor(), &ActivityMonitor::isPresentChanged, this, changed);
    connect(&appState.todoManager(), &TodoManager::itemsChanged, this, changed);
    connect(&appState.todoManager(), &TodoManager::currentTaskIdChanged, this, changed);
    connect(&appState.statsManager(), &StatsManager::sessionsChanged, this, changed);
}

RemoteControl::Status ProgramControl::statusOf(const TimerSnapshot &timer, qint64 snoozeSeconds, bool present,
                                               qint64 completedToday, const QString &task, qint64 nowUnixSeconds)
{
    Status status;
    status.presence = present ? QStringLiteral("present") : QStringLiteral("away");
    status.completedSessionsToday = completedToday;
    status.currentTask = task;
    status.secondsLeft =
        std::max<qint64>(0, timer.snoozeActive ? timer.snoozeSecondsRemaining : timer.phaseSecondsLeft());
    status.phaseSeconds = timer.snoozeActive                   ? std::max(snoozeSeconds, status.secondsLeft)
                          : timer.state == TimerState::working ? timer.breakIntervalSeconds
                                                               : timer.breakDurationSeconds;
    // Work counts while the user is there, a break while they are away, a snooze always.
    bool counting = false;
    if (timer.trackingPaused) {
        status.state = QStringLiteral("paused");
    } else if (timer.snoozeActive) {
        status.state = QStringLiteral("snoozed");
        counting = true;
    } else if (timer.state == TimerState::breakWaiting) {
        status.state = QStringLiteral("breakDue");
    } else if (timer.state == TimerState::breakActive) {
        status.state = QStringLiteral("onBreak");
        counting = !present;
    } else {
        status.state = present ? QStringLiteral("working") : QStringLiteral("away");
        counting = present;
    }
    status.dueAt = counting ? nowUnixSeconds + status.secondsLeft : 0;
    return status;
}

RemoteControl::Status ProgramControl::status() const
{
    const QString task = m_appState.todoManager().currentTaskTitle().value_or(QString());
    return statusOf(ViewInputs::timer(m_appState.workTimer()), m_snoozeSeconds,
                    m_appState.activityMonitor().isPresent(), m_appState.statsManager().completedWorkSessionsToday(),
                    task, qint64(m_clock.now().toDateTime().toSecsSinceEpoch()));
}

void ProgramControl::takeBreak() { m_actions.takeBreakNow(); }

void ProgramControl::snooze(int minutes) { m_appState.workTimer().snooze(minutes); }

bool ProgramControl::showSection(const QString &section)
{
    if (section == QLatin1String("about")) {
        m_actions.showAbout();
        return true;
    }
    for (const AppSection candidate : kAllAppSections) {
        if (rawValue(candidate).compare(section, Qt::CaseInsensitive) == 0) {
            m_actions.openSection(candidate);
            return true;
        }
    }
    return false;
}

void ProgramControl::quitProgram() { m_actions.quitPelmix(); }

std::optional<QString> ProgramControl::exportHistory(const QString &format, const QString &from, const QString &to,
                                                    QString &failure)
{
    const auto chosen = HistoryExport::formatNamed(format);
    const QDate first = QDate::fromString(from, Qt::ISODate), last = QDate::fromString(to, Qt::ISODate);
    if (!chosen || (!from.isEmpty() && !first.isValid()) || (!to.isEmpty() && !last.isValid()))
        return std::nullopt;
    HistoryExport::DayRange days;
    if (first.isValid())
        days.from = first;
    if (last.isValid())
        days.to = last;
    const auto sessions = m_appState.statsManager().sessions();
    if (!sessions) {
        failure = HistoryExport::historyUnreadable();
        return std::nullopt;
    }
    return QString::fromUtf8(HistoryExport::sessions(*sessions, *chosen, days));
}
