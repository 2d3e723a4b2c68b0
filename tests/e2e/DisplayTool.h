#pragma once
// Runs one of the X display's command-line tools (xdotool, import) and
// insists that it worked.
#include <string>

// Standard output of the command line; throws std::runtime_error with the
// command and its error output when it exits with a failure.
std::string RunDisplayTool(const std::string& commandLine);
