// The byte-for-byte comparison that tells whether two builds gave the same setup.
#include <gtest/gtest.h>

#include <optional>

#include "tests/support/ArchiveBuilder.h"
#include "tests/support/ScratchFolder.h"
#include "tools/kelpack/FileComparison.h"

TEST(FileComparison, FindsTheFirstDifferenceOrNone) {
    const std::string large = TextData((1 << 20) + 10);
    std::string changedLate = large;
    changedLate[(1 << 20) + 5] ^= 1;  // in the second piece read
    const struct {
        const char* What;
        std::string First, Second;
        std::optional<int64_t> Expected;
    } cases[] = {
        {"same", "abc", "abc", std::nullopt},
        {"both empty", "", "", std::nullopt},
        {"one empty", "", "a", 0},
        {"second byte", "abc", "axc", 1},
        {"a prefix of the other", "abc", "ab", 2},
        {"same and large", large, large, std::nullopt},
        {"late in a large file", large, changedLate, (1 << 20) + 5},
        {"one a piece longer", large, large + large, static_cast<int64_t>(large.size())},
    };
    ScratchFolder scratch;
    for (const auto& c : cases) {
        WriteFile(scratch / "first", c.First);
        WriteFile(scratch / "second", c.Second);
        EXPECT_EQ(FirstDifference(scratch / "first", scratch / "second"), c.Expected) << c.What;
    }
    EXPECT_THROW(FirstDifference(scratch / "first", scratch / "missing"), std::exception);
}
