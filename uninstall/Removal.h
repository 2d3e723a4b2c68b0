#pragma once
// Carries out a removal plan on this machine: files, folders, the registry
// entry and the log, and after the uninstaller has ended its own file and
// the folders that held it. Carrying it out is Windows only; its result is
// portable, for the texts that word it.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "app/RemovalPlan.h"

// What a removal left behind.
struct TRemovalResult {
    std::vector<TLeftOver> LeftOvers;
    // The steps of the plan's AfterExit that are expected to succeed: the
    // folders that still hold something else are left out (and are left-overs).
    std::vector<TRemovalStep> AfterExit;
    bool RestartPending = false;  // something is removed at the next restart
};

// Whether everything that should have gone went: a folder kept for files
// the setup did not make is no failure, anything else that stays is.
bool RemovedCompletely(const TRemovalResult& result);

// Marks a file or folder for removal at the next restart; false when it cannot.
using TRestartRemover = std::function<bool(const std::string& path)>;
// Told before each of the plan's steps: how many are done, of how many, and the item.
using TRemovalProgress = std::function<void(size_t done, size_t count, const std::string& item)>;

// Goes through the plan's Steps in order and carries on past failures.
// Files that are gone already count as removed; a read-only file loses the
// attribute first; a folder that still holds something stays. Then looks at
// what waits for the end of the uninstaller: a folder that holds more than
// the uninstaller's file and the folders going with it stays; the rest is the
// result's AfterExit. The plan's skipped lines and everything that stays are
// the result's left-overs.
TRemovalResult CarryOutRemoval(const TRemovalPlan& plan, const TRemovalProgress& progress = {});

// Removes the result's AfterExit items, once the uninstaller whose file it
// is has ended. A file that still cannot be deleted, and then the folders
// that hold nothing else, are marked for removal at the next restart.
void FinishRemoval(TRemovalResult& result, const TRestartRemover& removeAtRestart);
