// The folders below the destination that the copy phase makes for a file:
// only those plainly below it.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "app/PayloadCopy.h"

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
