#include "UserSettings.h"

#include <algorithm>

#include "platform/Instant.h"
#include "platform/Logger.h"
#include "platform/LoginItem.h"
#include "platform/MainLoop.h"
#include "platform/Platform.h"

#include <QSettings>

#include <charconv>

namespace {

// The shortest decimal that reads back to the same double, with at least one digit after the point.
QString shortestDecimal(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    QString text = QString::fromLatin1(buffer, static_cast<qsizetype>(result.ptr - buffer));
    const bool hasFraction = text.contains(u'.') || text.contains(u'e') || text.contains(u'n') || text.contains(u'i');
    return hasFraction ? text : text + QStringLiteral(".0");
}

QString utcTimestamp(const QDateTime &instant)
{
    return instant.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QStringLiteral(" +0000");
}

} // namespace

UserSettings::UserSettings(Platform &platform, QObject *parent) : UserSettings(platform, platform.preferences, parent)
{}

UserSettings::UserSettings(Platform &platform, QSettings &store, QObject *parent)
    : QObject(parent),
      m_platform(platform),
      m_store(store)
{
    checkDailyReset();
}

UserSettings &UserSettings::shared()
{
    static UserSettings *instance = new UserSettings(Platform::current());
    return *instance;
}

// A hand-edited file may hold anything: a value of the wrong type, or below what the
// program can use, reads as the default.
qint64 UserSettings::readInteger(const char *key, qint64 fallback, qint64 minimum, qint64 maximum) const
{
    const QVariant stored = m_store.value(QLatin1String(key));
    if (!stored.isValid())
        return fallback;
    bool ok = false;
    const qint64 value = stored.toLongLong(&ok);
    if (!ok)
        return fallback;
    // Below the minimum a value means nothing (as before); above the maximum it was edited by
    // hand, and the longest meaningful value stands for it.
    return value < minimum ? fallback : std::min(value, maximum);
}

bool UserSettings::readBool(const char *key, bool fallback) const
{
    const QVariant stored = m_store.value(QLatin1String(key));
    if (!stored.isValid())
        return fallback;
    if (stored.typeId() == QMetaType::Bool)
        return stored.toBool();
    const QString text = stored.toString().trimmed().toLower();
    if (text == u"true" || text == u"1")
        return true;
    if (text == u"false" || text == u"0")
        return false;
    return fallback;
}

void UserSettings::write(const char *key, const QVariant &value)
{
    emit aboutToChange();
    m_store.setValue(QLatin1String(key), value);
    m_store.sync();
    emit changed();
}

qint64 UserSettings::workDuration() const { return readInteger("workDuration", kDefaultWorkDuration, 0, kLongestMinutes); }
qint64 UserSettings::shortBreakDuration() const
{
    return readInteger("shortBreakDuration", kDefaultShortBreakDuration, 0, kLongestMinutes);
}
qint64 UserSettings::longBreakDuration() const
{
    return readInteger("longBreakDuration", kDefaultLongBreakDuration, 0, kLongestMinutes);
}
qint64 UserSettings::longBreakEvery() const { return readInteger("longBreakEvery", kDefaultLongBreakEvery, 1, kMostSessions); }
qint64 UserSettings::idleTimeout() const { return readInteger("idleTimeout", kDefaultIdleTimeout, 0, kLongestMinutes * 60); }
bool UserSettings::soundEnabled() const { return readBool("soundEnabled", true); }
bool UserSettings::launchAtLogin() const { return readBool("launchAtLogin", false); }
bool UserSettings::developerModeEnabled() const { return readBool("developerModeEnabled", false); }
bool UserSettings::blurEnabled() const { return readBool("blurEnabled", true); }
bool UserSettings::hasCompletedOnboarding() const { return readBool("hasCompletedOnboarding", false); }
qint64 UserSettings::completedSessionsToday() const { return readInteger("completedSessionsToday", 0, 0, kMostSessions); }

double UserSettings::lastSessionDate() const
{
    bool ok = false;
    const double value = m_store.value(QStringLiteral("lastSessionDate"), 0.0).toDouble(&ok);
    return ok ? value : 0.0;
}

void UserSettings::setWorkDuration(qint64 minutes) { write("workDuration", minutes); }
void UserSettings::setShortBreakDuration(qint64 minutes) { write("shortBreakDuration", minutes); }
void UserSettings::setLongBreakDuration(qint64 minutes) { write("longBreakDuration", minutes); }
void UserSettings::setLongBreakEvery(qint64 sessions) { write("longBreakEvery", sessions); }
void UserSettings::setIdleTimeout(qint64 seconds) { write("idleTimeout", seconds); }
void UserSettings::setSoundEnabled(bool on) { write("soundEnabled", on); }
void UserSettings::setLaunchAtLogin(bool on) { write("launchAtLogin", on); }
void UserSettings::setDeveloperModeEnabled(bool on) { write("developerModeEnabled", on); }
void UserSettings::setBlurEnabled(bool on) { write("blurEnabled", on); }
void UserSettings::setHasCompletedOnboarding(bool done) { write("hasCompletedOnboarding", done); }

const char *UserSettings::holdKey(HoldSources::Source source)
{
    switch (source) {
    case HoldSources::Source::camera:
        return "holdWhileCamera";
    case HoldSources::Source::microphone:
        return "holdWhileMicrophone";
    case HoldSources::Source::screenShared:
        return "holdWhileScreenShared";
    case HoldSources::Source::fullScreen:
        return "holdWhileFullScreen";
    case HoldSources::Source::doNotDisturb:
        break;
    }
    return "holdWhileDoNotDisturb";
}

bool UserSettings::holdsWhile(HoldSources::Source source) const { return readBool(holdKey(source), true); }
void UserSettings::setHoldsWhile(HoldSources::Source source, bool on) { write(holdKey(source), on); }

bool UserSettings::isLongBreakDue() const
{
    const qint64 completed = completedSessionsToday();
    return completed >= 1 && completed % longBreakEvery() == 0;
}

void UserSettings::checkDailyReset()
{
    const double stored = lastSessionDate();
    const QDateTime lastDate = Instant::fromUnixSeconds(stored).toDateTime();
    const QDateTime now = m_platform.mainLoop.now().toDateTime();
    const bool isToday = lastDate.toLocalTime().date() == now.toLocalTime().date();
    m_platform.log.line(QStringLiteral("DEBUG checkDailyReset: lastSessionDate=%1, lastDate=%2, isToday=%3")
                            .arg(shortestDecimal(stored), utcTimestamp(lastDate), boolText(isToday)));
    if (!isToday) {
        m_platform.log.line(QStringLiteral("DEBUG checkDailyReset: RESETTING completedSessionsToday to 0 (was %1)")
                                .arg(completedSessionsToday()));
        write("completedSessionsToday", qint64(0));
    }
}

void UserSettings::incrementCompletedSessions()
{
    const qint64 before = completedSessionsToday();
    checkDailyReset();
    const qint64 afterReset = completedSessionsToday();
    write("completedSessionsToday", afterReset + 1);
    write("lastSessionDate", m_platform.mainLoop.now().unixSeconds());
    m_platform.log.line(QStringLiteral("DEBUG increment: before=%1, afterReset=%2, final=%3")
                            .arg(before)
                            .arg(afterReset)
                            .arg(completedSessionsToday()));
}

void UserSettings::resetToDefaults()
{
    setWorkDuration(kDefaultWorkDuration);
    setShortBreakDuration(kDefaultShortBreakDuration);
    setLongBreakDuration(kDefaultLongBreakDuration);
    setLongBreakEvery(kDefaultLongBreakEvery);
    setIdleTimeout(kDefaultIdleTimeout);
    setSoundEnabled(true);
    setLaunchAtLogin(false);
    updateLaunchAtLogin();
    setDeveloperModeEnabled(false);
    setBlurEnabled(true);
    for (const HoldSources::Source source : HoldSources::kAllSources)
        setHoldsWhile(source, true);
}

void UserSettings::updateLaunchAtLogin()
{
    const auto error = launchAtLogin() ? m_platform.loginItem.registerItem() : m_platform.loginItem.unregisterItem();
    if (error)
        m_platform.log.line(QStringLiteral("Failed to update launch at login: ") + *error);
}
