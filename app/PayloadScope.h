#pragma once
// The install scope the setup description in a payload asks for, read
// straight from the archive before anything is unpacked: a machine
// installation restarts the setup elevated before it does any work.
// Portable.
#include <optional>
#include <string>

#include "app/InstallScope.h"

// The Scope of the "Setup" block of the payload's Setup.ini; Machine when
// it gives none. Nothing when the payload or its description cannot be
// read, or the value names no scope: the setup then runs as it was started
// and its start-up tells the fault.
std::optional<TInstallScope> DescribedScope(const std::string& payloadFile);
