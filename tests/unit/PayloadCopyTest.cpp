// The copy phase's copying: the folders below the destination that a file
// needs, made once and reported outermost first, and each file's outcome in order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/PayloadCopy.h"
#include "platform/FileSystem.h"
#include "tests/support/ScratchFolder.h"

TEST(PayloadCopy, TheFolderOfAnEntryCountsOnlyWhenItLiesPlainlyBelowTheDestination) {
    const std::pair<const char*, const char*> cases[] = {
        {"a.txt", ""},
        {"plugins\\a.dll", "D\\plugins"},
        {"plugins/de\\x.txt", "D\\plugins\\de"},
        {"..\\x.txt", ""},
        {"a\\..\\..\\x.txt", ""},
        {"a\\.\\x.txt", ""},
        {"\\x.txt", ""},
        {"a\\\\x.txt", ""},
        {"C:\\x.txt", ""},
        {"a:b\\x.txt", ""},
    };
    for (const auto& [entry, folder] : cases) EXPECT_EQ(TargetFolderBelow("D", entry), folder) << entry;
}

TEST(PayloadCopy, MakesEachMissingFolderOnceCopiesInOrderAndTellsAFailedCopysReason) {
    ScratchFolder scratch;
    const std::string work = scratch / "work", destination = scratch / "dest";
    ASSERT_TRUE(platform::ForceDirectories(work + "\\plugins\\de"));
    ASSERT_TRUE(platform::CreateDir(destination));
    WriteFile(work + "\\app.exe", "MZ");
    WriteFile(work + "\\plugins\\de\\a.txt", "a");
    WriteFile(work + "\\plugins\\de\\b.txt", "b");
    std::vector<TCopyJob> jobs;
    for (const char* entry : {"app.exe", "plugins\\de\\a.txt", "plugins\\gone.dll", "plugins\\de\\b.txt"})
        jobs.push_back({work + "\\" + entry, destination + "\\" + entry, TargetFolderBelow(destination, entry)});

    TPayloadCopy copy(jobs);
    while (copy.WaitForAll(std::chrono::milliseconds(1000)) < copy.Count()) {
    }
    const std::vector<std::vector<std::string>> made = {
        {}, {destination + "\\plugins", destination + "\\plugins\\de"}, {}, {}};
    for (size_t i = 0; i < jobs.size(); ++i) {
        EXPECT_EQ(copy.Outcome(i).MadeFolders, made[i]) << jobs[i].Target;
        EXPECT_EQ(copy.Outcome(i).Copied, i != 2) << jobs[i].Target;
    }
    EXPECT_NE(copy.Outcome(2).ErrorCode, 0);
    EXPECT_EQ(ReadFile(destination + "\\plugins\\de\\b.txt"), "b");
}
