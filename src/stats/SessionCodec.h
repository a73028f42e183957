#pragma once

#include "stats/Session.h"

#include <QByteArray>
#include <QList>

#include <optional>

// The format of sessions.json: a compact array of records, keys in a fixed order,
// "taskTitle" only when there is one.
namespace SessionCodec {

// Nothing when an instant cannot be written (the file must then be left as it is).
std::optional<QByteArray> encode(const QList<Session> &sessions);
// All records or nothing: any defect in any record rejects the whole file.
std::optional<QList<Session>> decode(const QByteArray &bytes);

} // namespace SessionCodec
