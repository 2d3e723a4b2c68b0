#pragma once
// The process's command line and its arguments, in UTF-8.
#include <string>
#include <vector>

namespace platform {

// The command line as the system hands it over, program name included, so
// that a caller can take the rest of it as it stands. Windows only.
std::string CommandLine();

// The arguments after the program's name, split as the C runtime splits
// them. On Windows they come from the wide command line, so that characters
// outside the machine's code page survive, and argv is not read; elsewhere
// they are argv's.
std::vector<std::string> ProgramArguments(int argc, char** argv);

}  // namespace platform
