// The elevated restart as far as Wine allows: Wine runs every program with
// an administrator's full token, so the restart is never needed there, but
// the start through the system's elevation verb is real. It hands over the
// arguments and the current folder (relative paths among the arguments
// mean the same) and brings back the exit code.
#include <gtest/gtest.h>

#include "platform/Elevation.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "tests/support/ScratchFolder.h"

TEST(Elevation, TheElevatedRunGetsTheArgumentsAndTheCurrentFolderAndGivesBackItsExitCode) {
    ScratchFolder scratch;
    WriteFile(scratch / "marker.txt", "here");
    const std::string startFolder = platform::CurrentFolder();
    ASSERT_TRUE(platform::SetCurrentFolder(scratch.Path()));
    const std::string shell = platform::SystemProgram("cmd.exe");
    const std::optional<uint32_t> found = platform::RunElevatedAndWait(shell, "/c if exist marker.txt exit 42");
    const std::optional<uint32_t> missing = platform::RunElevatedAndWait(shell, "/c if exist gone.txt exit 42");
    platform::SetCurrentFolder(startFolder);
    EXPECT_EQ(found, 42u);
    EXPECT_EQ(missing, 0u);
    EXPECT_EQ(platform::RunElevatedAndWait(scratch / "no such program.exe", ""), std::nullopt);
    EXPECT_TRUE(platform::RunsElevated()) << "Wine gives its programs an administrator's full token";
}
