#pragma once

#include "CommandLine.h"

#include <cstdio>

class DataLocations;

// `pelmix export`: reads the data files as they are (it never changes or moves them) and
// writes the export to standard output or, in one step, to the output file. Answers the exit
// code: 0, or 1 with a message on `errors` when the data cannot be read or the file written.
int runExport(const CommandLine &command, const DataLocations &locations, std::FILE *out = stdout,
              std::FILE *errors = stderr);
