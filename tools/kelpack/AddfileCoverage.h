#pragma once
// Which product files the "Addfile" lines install, once wildcards are
// expanded: a file that none installs would ship and never be installed,
// and a file installed twice is copied twice. Names are compared as Windows
// does.
#include <cstddef>
#include <string>
#include <vector>

#include "tools/kelpack/AddfileWildcards.h"

struct TAddfileCoverage {
    // Warnings on the project's lines: one per line that installs files an
    // earlier line installs already, naming the first of them and their number.
    std::vector<TSetupIniProblem> Repeated;
    // The product files that no line installs, as indices into productFiles.
    std::vector<size_t> NotInstalled;
};

TAddfileCoverage CheckAddfileCoverage(const TAddfileExpansion& expansion, const std::vector<std::string>& productFiles);
