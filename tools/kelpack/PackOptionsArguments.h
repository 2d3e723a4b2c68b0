#pragma once
// The options of "pack" and "build" that say how archives are written:
// --level (a name or a number) and --threads.
#include <set>
#include <string>

#include "tools/kelpack/ArchiveWriter.h"
#include "tools/kelpack/CommandLine.h"

// The valued options this file reads, for a command's syntax.
const std::set<std::string>& PackOptionNames();

// The options the command line gives; raises TUsageError for a level or a
// number of threads that is not one.
TPackOptions PackOptionsFrom(const TCommandLine& line);
