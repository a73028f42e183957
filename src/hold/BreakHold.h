#pragma once

#include "platform/HoldSources.h"
#include "platform/MainLoop.h"

#include <QObject>
#include <QString>

#include <optional>

class UserSettings;
struct Platform;

// Decides whether break reminders wait: while a source the user left switched on says the
// user must not be interrupted, and for a minute of grace after the last one clears, so that
// a user closing a call is not met by a reminder at once. The user may override a hold; the
// override lasts until every source is clear.
class BreakHold : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool held READ held NOTIFY heldChanged)
    Q_PROPERTY(QString statusText READ statusText NOTIFY heldChanged)

public:
    static constexpr std::chrono::seconds kGrace{60};

    BreakHold(Platform &platform, UserSettings &settings, QObject *parent = nullptr);
    ~BreakHold() override;

    // Whether reminders wait now: a source holds them, or the grace after one runs.
    bool held() const { return m_holding.has_value() || m_graceTimer != nullptr; }
    // The source that holds reminders, if one does (not during the grace).
    std::optional<HoldSources::Source> holdingSource() const { return m_holding; }
    // What the desktop says of `source` now, whether or not it may hold reminders.
    HoldSources::Reading reading(HoldSources::Source source) const { return m_sources.reading(source); }
    // "Holding reminders: camera in use", or empty when reminders do not wait.
    QString statusText() const;

    // "Remind me anyway": reminders come now, whatever the sources say until they all clear.
    void remindAnyway();
    // Re-reads which sources the user wants to hold reminders.
    void applySettings();

    // "camera in use", "microphone in use", …
    static QString describe(HoldSources::Source source);

signals:
    void heldChanged();
    void readingsChanged();

private:
    std::optional<HoldSources::Source> firstSourceInUse() const;
    void update();
    void endGrace();

    Platform &m_platform;
    HoldSources &m_sources;
    UserSettings &m_settings;
    std::optional<HoldSources::Source> m_holding;
    bool m_overridden = false;
    ScheduledWorkHandle m_graceTimer;
};
