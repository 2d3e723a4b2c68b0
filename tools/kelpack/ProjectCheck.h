#pragma once
// Checks a setup description the way the wizard reads it, before it ships:
// what would end the wizard's start-up (a number it cannot read, a block
// without "end", a licence or file the payload lacks) and what it would
// silently pass over (a key with blanks around "=", a button block without
// its role, a picture the payload lacks) are errors; keys the wizard does
// not know and other doubtful lines are warnings.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/StringList.h"
#include "tools/kelpack/PayloadNames.h"

struct TSetupIniProblem {
    int32_t Line = 0;  // 1-based
    std::string Reason;
    bool Warning = false;
};

// The problems of the lines, in line order, checked against the files the
// working folder will hold.
std::vector<TSetupIniProblem> CheckSetupLines(const TStringList& lines, const TPayloadNames& payload);
