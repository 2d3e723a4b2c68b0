#pragma once
// Whether the program runs with an administrator's full rights, and its
// restart with them. Windows only.
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// Whether the process's token is elevated (or needs no elevation, as an
// administrator's without the system's prompt).
bool RunsElevated();

// Starts the program again through the shell's "runas" verb, which has the
// system ask for an administrator, with the arguments and the current
// folder, and waits for its end. Its exit code; nothing when it did not
// start (the user declined, or the system refused), with the system's code
// of the failure as LastErrorCode gives it.
std::optional<uint32_t> RunElevatedAndWait(const std::string& program, const std::string& arguments);

}  // namespace platform
