// The room on the drive of a folder that may not exist yet: its nearest
// level that does answers, and a drive that is not there has none to tell.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/Drives.h"
#include "tests/support/ScratchFolder.h"

TEST(FreeSpace, AFolderNotThereYetIsMeasuredByItsNearestLevelThatIs) {
    ScratchFolder scratch;
    char absent = 'Z';
    while (absent > 'D' && (platform::LogicalDrives() & (1u << (absent - 'A')))) --absent;
    const std::optional<uint64_t> there = platform::FreeBytesFor(scratch.Path());
    ASSERT_TRUE(there.has_value() && *there > 0);
    constexpr double kDrift = 64 << 20;  // what other programs write meanwhile
    for (const std::string& below :
         {scratch / "not\\there\\yet", scratch / "not\\there\\yet\\", scratch.Path() + "\\"}) {
        const std::optional<uint64_t> free = platform::FreeBytesFor(below);
        ASSERT_TRUE(free.has_value()) << below;
        EXPECT_NEAR(double(*free), double(*there), kDrift) << below;
    }
    EXPECT_EQ(platform::FreeBytesFor(std::string(1, absent) + ":\\Product\\Files"), std::nullopt) << absent;
    EXPECT_EQ(platform::FreeBytesFor(""), std::nullopt);
}
