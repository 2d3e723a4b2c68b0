#include <gtest/gtest.h>

#include "tests/support/ArchiveFixture.h"
#include "tools/kelpack/CommandLine.h"

namespace {
const TCommandSyntax Pack{"pack", 2, SIZE_MAX, {"--plain-table"}, {"--level"}};
}

TEST(CommandLine, OptionsMayStandAnywhere) {
    const TCommandLine line = ParseCommandLine(Pack, {"--level", "maximum", "a.kel", "dir", "--plain-table", "x"});
    EXPECT_EQ(line.Operands, (std::vector<std::string>{"a.kel", "dir", "x"}));
    EXPECT_TRUE(line.Has("--plain-table"));
    EXPECT_EQ(line.Value("--level", "default"), "maximum");
    EXPECT_EQ(ParseCommandLine(Pack, {"--level=none", "a", "b"}).Value("--level", ""), "none");
    EXPECT_EQ(ParseCommandLine(Pack, {"a", "--", "--plain-table"}).Operands.size(), 2u);
}

TEST(CommandLine, MisfitsAreUsageErrors) {
    EXPECT_THROW(ParseCommandLine(Pack, {"a.kel"}), TUsageError);
    EXPECT_THROW(ParseCommandLine(Pack, {"a", "b", "--level"}), TUsageError);
    EXPECT_THROW(ParseCommandLine(Pack, {"a", "b", "--fast"}), TUsageError);
    EXPECT_THROW(ParseCommandLine(Pack, {"a", "b", "--plain-table=yes"}), TUsageError);
    EXPECT_THROW(ParseCommandLine({"list", 1, 1, {}, {}}, {"a", "b"}), TUsageError);
}
