// Apart from CommandLine.cpp, so that a program that takes its command line
// whole does not carry the splitting.
#include <windows.h>
#include <shellapi.h>

#include "platform/CommandLine.h"
#include "platform/win32/WideText.h"

namespace platform {

std::vector<std::string> ProgramArguments(int, char**) {
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; words && i < count; ++i) arguments.push_back(Utf8Of(words[i]));
    LocalFree(words);
    return arguments;
}

}  // namespace platform
