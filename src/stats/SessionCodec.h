#pragma once

#include "stats/Session.h"

#include <QByteArray>
#include <QList>

#include <functional>
#include <optional>

// The format of sessions.json: a compact array of records, keys in a fixed order,
// "taskTitle" only when there is one.
namespace SessionCodec {

// Nothing when an instant cannot be written (the file must then be left as it is).
std::optional<QByteArray> encode(const QList<Session> &sessions);
// The records as members to add to the file's array: what encode() writes between the brackets.
std::optional<QByteArray> encodeMembers(const QList<Session> &sessions);
// All records or nothing: any defect in any record rejects the whole file.
std::optional<QList<Session>> decode(const QByteArray &bytes);
// Passes each record to `take` as it is read. False when the file is rejected; the records
// taken until then are to be dropped.
bool decodeEach(const QByteArray &bytes, const std::function<void(Session &&)> &take);

} // namespace SessionCodec
