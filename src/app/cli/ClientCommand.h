#pragma once

#include "CommandLine.h"
#include "platform/RemoteControl.h"

#include <QString>

#include <cstdio>

// The commands that act on the Pelmix already running, over its interface on the session bus:
// status (once, or a line at each change with --follow), break, snooze, show, quit.
namespace ClientCommand {

// The exit code: 0; 1 with a message when no Pelmix runs or it refused.
int run(const CommandLine &command, std::FILE *out = stdout, std::FILE *errors = stderr);

// "Working, break in 12 min" and the like, as of `secondsLeft`.
QString statusText(const RemoteControl::Status &status);
// One line for waybar's custom modules: {"text", "tooltip", "class", "percentage"}.
QByteArray statusJson(const RemoteControl::Status &status);

} // namespace ClientCommand
