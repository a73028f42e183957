#pragma once

#include "platform/Instant.h"

#include <QLocale>
#include <QString>
#include <QTimeZone>

// How long ago something happened: "just now", "12 min ago", "1 hour ago", "yesterday",
// "3 days ago", then the date ("Mar 5"). The steps are elapsed seconds, not calendar days.
namespace RelativeTimeFormat {

QString format(Instant instant, Instant now, const QLocale &locale = QLocale(),
               const QTimeZone &zone = QTimeZone::systemTimeZone());

} // namespace RelativeTimeFormat
