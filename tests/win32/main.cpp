// The Windows tests run with COM initialised for the thread, as the program does.
#include <gtest/gtest.h>

#include <cstring>

#include "app/SetupArguments.h"
#include "platform/Com.h"
#include "platform/CommandLine.h"
#include "platform/Console.h"
#include "platform/ProgramArguments.h"
#include "platform/FileSystem.h"

namespace {

// Started with "--tell-start" first, the program prints what it was started
// as, a line each: its file, its folder, the command line after that word,
// and then each argument after it.
void TellStart(int argc, char** argv) {
    std::string told = platform::ProgramFile() + "\n" + platform::ProgramFolder() + "\n" +
                       ArgumentsOf(ArgumentsOf(platform::CommandLine())) + "\n";
    const std::vector<std::string> arguments = platform::ProgramArguments(argc, argv);
    for (size_t i = 1; i < arguments.size(); ++i) told += arguments[i] + "\n";
    platform::WriteText(stdout, told);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--tell-start") == 0) {
        TellStart(argc, argv);
        return 0;
    }
    platform::TComInitializer com;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
