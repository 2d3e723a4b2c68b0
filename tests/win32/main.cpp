// The Windows tests run with COM initialised for the thread, as the program does.
#include <gtest/gtest.h>

#include <cstring>

#include "app/SetupArguments.h"
#include "platform/Com.h"
#include "platform/CommandLine.h"
#include "platform/Console.h"
#include "platform/FileSystem.h"

namespace {

// Started with "--tell-start" first, the program prints what it was started
// as: its file, its folder and the arguments after that word, a line each.
void TellStart() {
    const std::string afterWord = ArgumentsOf(ArgumentsOf(platform::CommandLine()));
    platform::WriteText(stdout, platform::ProgramFile() + "\n" + platform::ProgramFolder() + "\n" + afterWord);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--tell-start") == 0) {
        TellStart();
        return 0;
    }
    platform::TComInitializer com;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
