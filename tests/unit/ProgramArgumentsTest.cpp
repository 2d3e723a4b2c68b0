// A Windows command line split into arguments as the C runtime splits it,
// so that a program reading its UTF-16 command line gets the argv it used to.
#include <gtest/gtest.h>

#include "platform/ProgramArguments.h"

namespace {

using Arguments = std::vector<std::string>;

struct TSplitCase {
    const char* Line;
    Arguments Expected;
};

const TSplitCase SplitCases[] = {
    {"", {}},
    {"  a \t b  ", {"a", "b"}},
    {"\"C:\\Program Files\\x\" /S", {"C:\\Program Files\\x", "/S"}},
    {"a\\\\b c\\", {"a\\\\b", "c\\"}},          // backslashes not before a mark stay
    {"\"a\\\\\" b", {"a\\", "b"}},              // 2n backslashes: n, and the mark closes
    {"a\\\"b", {"a\"b"}},                       // 2n+1: n and a literal mark
    {"\"a \"\" b\"", {"a \" b"}},               // "" inside quotes
    {"x\"y z\"w", {"xy zw"}},                   // quoting inside an argument
    {"\"\"", {""}},                             // an empty argument
    {"\xD0\x9F\xD1\x80\xD0\xB8 \"\xE6\x97\xA5 \xF0\x9F\x98\x80\"", {"\xD0\x9F\xD1\x80\xD0\xB8", "\xE6\x97\xA5 \xF0\x9F\x98\x80"}},
};

}  // namespace

TEST(ProgramArguments, SplitsAsTheWindowsRuntimeDoes) {
    for (const TSplitCase& c : SplitCases) EXPECT_EQ(platform::SplitCommandLine(c.Line), c.Expected) << c.Line;
}

TEST(ProgramArguments, TheProgramNameEndsAtItsClosingMarkOrFirstBlank) {
    EXPECT_EQ(platform::ArgumentsAfterProgramName("\"C:\\A B\\u.exe\" /S"), " /S");
    EXPECT_EQ(platform::ArgumentsAfterProgramName("C:\\dir\\u.exe\t/S x"), "\t/S x");
    EXPECT_EQ(platform::ArgumentsAfterProgramName("\"C:\\a\\\"b /S"), " /S");  // no escapes in the name
}
