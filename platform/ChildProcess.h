#pragma once
// Runs another program to its end and collects what it printed, for tools
// that hand work to a program of the system.
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct TChildResult {
    int ExitCode = 0;
    std::string Output;  // standard output and standard error, interleaved
};

// Runs the program (commandLine[0], looked up on the PATH) with the rest of
// commandLine as its arguments, each passed as it is, and waits for its end.
// Nothing when the program could not be started, as when it is not installed.
std::optional<TChildResult> RunChildProcess(const std::vector<std::string>& commandLine);

}  // namespace platform
