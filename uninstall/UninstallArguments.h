#pragma once
// The uninstaller's command line. Public: "/S", removal without asking and
// without any window. Internal: "/COPYOF=PROCESS,REPORT,FILE", given by the
// uninstaller to the copy of itself that it starts from the temporary
// folder: the handle numbers by which the copy waits for the original to end
// and reports its result to it, and the original's file; "/ELEVATED", the
// mark of the elevated restart of the uninstaller of a machine
// installation. Portable.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the copy is told about the uninstaller that started it.
struct TOriginal {
    uintptr_t Process = 0;  // a handle to the original's process, to wait for its end
    uintptr_t Report = 0;   // the write end of the pipe the original reads the result from
    std::string File;       // the original's own file, beside its setup.log

    bool operator==(const TOriginal&) const = default;
};

struct TUninstallArguments {
    bool Silent = false;
    bool Elevated = false;              // this run is the elevated restart
    std::optional<TOriginal> Original;  // set in the copy only
    std::string NotUnderstood;          // the first argument not understood; empty when all were
};

// The arguments without the program's name. Letter case does not matter;
// each argument is taken whole, as the command line split it.
TUninstallArguments ParseUninstallArguments(const std::vector<std::string>& arguments);
// The argument that passes the original's handles and file to the copy.
std::string CopyOfArgument(const TOriginal& original);
