#pragma once

#include "platform/RemoteControl.h"
#include "ui/common/TimerSnapshot.h"

class AppState;
class MainLoop;
class TrayActions;

// The program as other programs see it (a status bar, a script): the state the tray shows and
// what the tray menu can do, no more.
class ProgramControl final : public RemoteControl {
    Q_OBJECT
public:
    ProgramControl(AppState &appState, TrayActions &actions, MainLoop &clock, QObject *parent = nullptr);

    Status status() const override;
    void takeBreak() override;
    void snooze(int minutes) override;
    bool showSection(const QString &section) override;
    void quitProgram() override;
    std::optional<QString> exportHistory(const QString &format, const QString &from, const QString &to,
                                         QString &failure) override;

    // The status for these values, at `nowUnixSeconds`; `snoozeSeconds` is the running snooze's length.
    static Status statusOf(const TimerSnapshot &timer, qint64 snoozeSeconds, bool present, qint64 completedToday,
                           const QString &task, qint64 nowUnixSeconds);

private:
    AppState &m_appState;
    MainLoop &m_clock;
    TrayActions &m_actions;
    bool m_announcementPending = false;
    qint64 m_snoozeSeconds = 0;
};
