#include "BreakHold.h"

#include "platform/Logger.h"
#include "platform/Platform.h"
#include "settings/UserSettings.h"

BreakHold::BreakHold(Platform &platform, UserSettings &settings, QObject *parent)
    : QObject(parent),
      m_platform(platform),
      m_sources(platform.holdSources),
      m_settings(settings)
{
    connect(&m_sources, &HoldSources::readingChanged, this, [this] {
        update();
        emit readingsChanged();
    });
    update();
}

BreakHold::~BreakHold() = default;

QString BreakHold::describe(HoldSources::Source source)
{
    switch (source) {
    case HoldSources::Source::camera:
        return QStringLiteral("camera in use");
    case HoldSources::Source::microphone:
        return QStringLiteral("microphone in use");
    case HoldSources::Source::screenShared:
        return QStringLiteral("screen shared");
    case HoldSources::Source::fullScreen:
        return QStringLiteral("full-screen window");
    case HoldSources::Source::doNotDisturb:
        break;
    }
    return QStringLiteral("do not disturb");
}

QString BreakHold::statusText() const
{
    if (m_holding)
        return QStringLiteral("Holding reminders: ") + describe(*m_holding);
    if (m_graceTimer)
        return QStringLiteral("Holding reminders: one more minute");
    return {};
}

void BreakHold::remindAnyway()
{
    if (!held())
        return;
    m_platform.log.line(QStringLiteral("BreakHold: reminding anyway"));
    m_overridden = m_holding.has_value();
    m_holding.reset();
    invalidate(m_graceTimer);
    emit heldChanged();
}

void BreakHold::applySettings() { update(); }

std::optional<HoldSources::Source> BreakHold::firstSourceInUse() const
{
    for (const HoldSources::Source source : HoldSources::kAllSources) {
        if (m_settings.holdsWhile(source) && m_sources.reading(source) == HoldSources::Reading::inUse)
            return source;
    }
    return std::nullopt;
}

void BreakHold::update()
{
    std::optional<HoldSources::Source> inUse = firstSourceInUse();
    if (m_overridden) {
        if (inUse)
            return;
        m_overridden = false;
    }
    if (inUse == m_holding)
        return;
    const bool wasHeld = held();
    if (inUse && !m_holding) {
        m_platform.log.line(QStringLiteral("BreakHold: holding reminders (%1)").arg(describe(*inUse)));
        invalidate(m_graceTimer);
    } else if (!inUse) {
        m_platform.log.line(
            QStringLiteral("BreakHold: hold ended (%1), reminders resume in a minute").arg(describe(*m_holding)));
        m_graceTimer = m_platform.mainLoop.scheduleDelayed(kGrace, [this] { endGrace(); });
    }
    m_holding = inUse;
    if (held() != wasHeld || m_holding)
        emit heldChanged();
}

void BreakHold::endGrace()
{
    m_graceTimer.reset();
    emit heldChanged();
}
