#pragma once
// Whether a program that installs or removes in a scope runs as it was
// started or starts itself again elevated. Setup.exe and uninstall.exe run
// as their invoker, so that an installation for one user never asks for an
// administrator; a machine installation restarts itself elevated (the
// system asks the user then) and hands back the elevated run's exit code.
// Portable.
#include "app/InstallScope.h"

enum class TElevationChoice : uint8_t {
    RunHere,          // the scope needs no elevation, or the program has it
    RestartElevated,  // start again elevated with the same arguments and wait
    RunWithout,       // elevated once already, still without it: go on, failures are told as usual
};

// restarted: this run is the elevated restart (never restart twice).
TElevationChoice ElevationChoiceFor(TInstallScope scope, bool elevated, bool restarted);

// The internal argument that marks the elevated restart; it comes first,
// before the caller's arguments, as "/D=" must stay the last.
inline constexpr const char* kElevatedArgument = "/ELEVATED";
