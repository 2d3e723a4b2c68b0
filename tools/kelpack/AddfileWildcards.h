#pragma once
// The expansion of "Addfile" wildcards of a setup description into one
// literal line per file, so that the wizard only ever sees literal names.
// "Addfile=*" stands for every product file, "Addfile=plugins\*" for every
// product file below the folder plugins, at any depth, in the payload's order.
// Only the lines of "Setup" blocks are expanded, as only those install.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/StringList.h"
#include "tools/kelpack/ProjectCheck.h"

// One file that an "Addfile" line of the packed description installs.
struct TAddfileEntry {
    std::string Name;        // as the packed line gives it
    int32_t SourceLine = 0;  // the project's line it came from (1-based)
    bool FromWildcard = false;
};

struct TAddfileExpansion {
    TStringList Lines;                 // the description as it is packed
    std::vector<int32_t> SourceLines;  // for each of Lines, the project's line it came from (1-based)
    std::vector<TAddfileEntry> Entries;      // every file the packed "Setup" blocks install, in order
    std::vector<TSetupIniProblem> Problems;  // on the project's lines: wildcards that match nothing or cannot be expanded
    bool Changed = false;                    // whether Lines differ from the project's lines
};

// Expands the lines against the product files, named relative to the
// working folder ("plugins\codec.dll") in the payload's order. A wildcard
// that matches nothing is left out with a warning; a "*" or "?" anywhere
// else is left out with an error, as the wizard cannot copy such a name.
TAddfileExpansion ExpandAddfileWildcards(const TStringList& lines, const std::vector<std::string>& productFiles);

// The problem's line in the project's file instead of the packed one.
TSetupIniProblem OnSourceLine(const TAddfileExpansion& expansion, TSetupIniProblem problem);
