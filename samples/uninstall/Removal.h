#pragma once
// Carries out a removal plan on this machine: files, folders, the registry
// entry and the log. Windows only.
#include <functional>
#include <string>

#include "samples/uninstall/RemovalPlan.h"

// Marks a file or folder for removal at the next restart; false when it cannot.
using TRestartRemover = std::function<bool(const std::string& path)>;

// Goes through the plan's steps in order and carries on past failures.
// Files that are gone already count as removed; a read-only file loses the
// attribute first. A folder that still holds something stays, unless all it
// holds is marked for removal at restart, in which case it is marked too.
// The plan's skipped lines and everything that stays are in the result.
TRemovalResult CarryOutRemoval(const TRemovalPlan& plan, const TRestartRemover& removeAtRestart);
