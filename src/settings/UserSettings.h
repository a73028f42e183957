#pragma once

#include "platform/HoldSources.h"

#include <QObject>

struct Platform;
class QSettings;

// Every user preference, persisted under its own key in the preference store, with the
// counter of work sessions completed today and launch at login.
class UserSettings : public QObject {
    Q_OBJECT
    Q_PROPERTY(qint64 workDuration READ workDuration WRITE setWorkDuration NOTIFY changed)
    Q_PROPERTY(qint64 shortBreakDuration READ shortBreakDuration WRITE setShortBreakDuration NOTIFY changed)
    Q_PROPERTY(qint64 longBreakDuration READ longBreakDuration WRITE setLongBreakDuration NOTIFY changed)
    Q_PROPERTY(qint64 longBreakEvery READ longBreakEvery WRITE setLongBreakEvery NOTIFY changed)
    Q_PROPERTY(qint64 idleTimeout READ idleTimeout WRITE setIdleTimeout NOTIFY changed)
    Q_PROPERTY(bool soundEnabled READ soundEnabled WRITE setSoundEnabled NOTIFY changed)
    Q_PROPERTY(bool launchAtLogin READ launchAtLogin WRITE setLaunchAtLogin NOTIFY changed)
    Q_PROPERTY(bool developerModeEnabled READ developerModeEnabled WRITE setDeveloperModeEnabled NOTIFY changed)
    Q_PROPERTY(bool blurEnabled READ blurEnabled WRITE setBlurEnabled NOTIFY changed)
    Q_PROPERTY(bool hasCompletedOnboarding READ hasCompletedOnboarding WRITE setHasCompletedOnboarding NOTIFY changed)
    Q_PROPERTY(qint64 completedSessionsToday READ completedSessionsToday NOTIFY changed)
    Q_PROPERTY(double lastSessionDate READ lastSessionDate NOTIFY changed)
    Q_PROPERTY(bool isLongBreakDue READ isLongBreakDue NOTIFY changed)

public:
    static constexpr qint64 kDefaultWorkDuration = 25;
    static constexpr qint64 kDefaultShortBreakDuration = 5;
    static constexpr qint64 kDefaultLongBreakDuration = 15;
    static constexpr qint64 kDefaultLongBreakEvery = 4;
    static constexpr qint64 kDefaultIdleTimeout = 30;
    // The largest lengths (minutes) and counts a stored value is read as: a day, a thousand.
    static constexpr qint64 kLongestMinutes = 24 * 60;
    static constexpr qint64 kMostSessions = 1000;

    // Declares the defaults (writing nothing) and runs checkDailyReset() once.
    explicit UserSettings(Platform &platform, QObject *parent = nullptr);
    UserSettings(Platform &platform, QSettings &store, QObject *parent = nullptr);

    static UserSettings &shared();

    qint64 workDuration() const;
    qint64 shortBreakDuration() const;
    qint64 longBreakDuration() const;
    qint64 longBreakEvery() const;
    qint64 idleTimeout() const;
    bool soundEnabled() const;
    bool launchAtLogin() const;
    bool developerModeEnabled() const;
    bool blurEnabled() const;
    bool hasCompletedOnboarding() const;
    // Whether reminders wait while `source` says the user is busy; on unless switched off.
    bool holdsWhile(HoldSources::Source source) const;
    qint64 completedSessionsToday() const;
    double lastSessionDate() const;

    void setWorkDuration(qint64 minutes);
    void setShortBreakDuration(qint64 minutes);
    void setLongBreakDuration(qint64 minutes);
    void setLongBreakEvery(qint64 sessions);
    void setIdleTimeout(qint64 seconds);
    void setSoundEnabled(bool on);
    void setLaunchAtLogin(bool on);
    void setDeveloperModeEnabled(bool on);
    void setBlurEnabled(bool on);
    void setHasCompletedOnboarding(bool done);
    void setHoldsWhile(HoldSources::Source source, bool on);

    bool isLongBreakDue() const;

    void checkDailyReset();
    void incrementCompletedSessions();
    void resetToDefaults();
    void updateLaunchAtLogin();

signals:
    // Announced on every assignment, also of an equal value, just before the value changes.
    void aboutToChange();
    // Announced right after every assignment.
    void changed();

private:
    // The stored number, brought into [minimum, maximum]; the fallback when absent or no number.
    qint64 readInteger(const char *key, qint64 fallback, qint64 minimum, qint64 maximum) const;
    bool readBool(const char *key, bool fallback) const;
    static const char *holdKey(HoldSources::Source source);
    void write(const char *key, const QVariant &value);

    Platform &m_platform;
    QSettings &m_store;
};
