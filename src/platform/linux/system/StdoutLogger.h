#pragma once

#include "platform/Logger.h"

// Writes each line to standard output and flushes at once, so the lines survive a
// crash and keep their order when standard output is a pipe.
class StdoutLogger final : public Logger {
public:
    void line(const QString &message) override;
};
