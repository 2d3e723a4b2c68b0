#include "tests/e2e/DisplayTool.h"

#include <stdexcept>

#include "tests/support/RunProcess.h"

std::string RunDisplayTool(const std::string& commandLine) {
    ProcessResult result = RunProcess(commandLine);
    if (result.ExitCode != 0)
        throw std::runtime_error("'" + commandLine + "' failed with exit code " + std::to_string(result.ExitCode) +
                                 ": " + result.Err);
    return std::move(result.Out);
}
