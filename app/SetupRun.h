#pragma once
// How a run of the setup goes: with the user or without, where it installs,
// and where it tells its steps and failures.
#include <optional>
#include <string>

#include "app/InstallScope.h"

class TChangeGate;
class TRunLog;

struct TSetupRun {
    bool Silent = false;                     // no window and no box
    std::optional<std::string> Destination;  // replaces the proposed destination
    TRunLog* Log = nullptr;                  // the caller's; it outlives the run
    TChangeGate* Gate = nullptr;             // the caller's, where each change is made; none: directly
    std::string Language = {};               // "/LANG=": overrides the description's; empty: none
    std::optional<TInstallScope> Scope = std::nullopt;  // replaces the description's
    bool AllowDowngrade = false;             // an older version may replace a newer one without asking
};
