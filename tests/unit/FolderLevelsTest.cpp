#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "shell/FolderLevels.h"
#include "shell/PathParts.h"
#include "tests/support/ScratchFolder.h"

TEST(FolderLevels, TheParentOfAPathIgnoresTrailingBackslashes) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Program Files\\Vendor\\Product", "C:\\Program Files\\Vendor"},
        {"C:\\Program Files\\Vendor\\Product\\\\", "C:\\Program Files\\Vendor"},
        {"C:\\Product", "C:\\"},
        {"C:\\", ""},
        {"Product", ""},
        {"\\\\server\\share\\Product", "\\\\server\\share"},
    };
    for (const auto& [path, parent] : cases) EXPECT_EQ(ParentFolderOf(path), parent) << path;
}

TEST(FolderLevels, MakesTheMissingLevelsOutermostFirstAndTellsOnlyThose) {
    ScratchFolder scratch;
    ASSERT_TRUE(platform::CreateDir(scratch / "Vendor"));
    const std::string product = scratch / "Vendor\\Suite\\Product";
    EXPECT_EQ(CreateFolderLevels(product + "\\"), (std::vector<std::string>{scratch / "Vendor\\Suite", product}));
    EXPECT_TRUE(platform::DirectoryExists(product));
    EXPECT_EQ(CreateFolderLevels(product), std::vector<std::string>{}) << "nothing new";
    // A file where a level should go: nothing below it can be made.
    WriteFile(scratch / "File", "x");
    EXPECT_EQ(CreateFolderLevels(scratch / "File\\Product"), std::vector<std::string>{});
    EXPECT_FALSE(platform::DirectoryExists(scratch / "File\\Product"));
}
