#include "platform/ProgramArguments.h"

#include "platform/CommandLine.h"

namespace platform {

// argv of the C runtime is in the machine's code page: the command line is
// read again in UTF-16 (through CommandLine) and split the same way.
std::vector<std::string> ProgramArguments(int, char**) {
    return SplitCommandLine(ArgumentsAfterProgramName(CommandLine()));
}

}  // namespace platform
