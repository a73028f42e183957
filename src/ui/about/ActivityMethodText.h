#pragma once

#include <QString>

// The line that tells the user how the program sees activity, in the onboarding's activity step
// and the about view; `methodName` is the input monitoring's (empty while none works).
namespace ActivityMethodText {

QString line(const QString &methodName);

} // namespace ActivityMethodText
