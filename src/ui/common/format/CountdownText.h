#pragma once

#include <QString>

// Time left as "%d:%02d": whole minutes (never split into hours) and the leftover seconds.
// Negative values read 0:00.
namespace CountdownText {
QString format(qint64 remainingSeconds);
}
