// Another program run to its end: its exit code and what it printed on
// either stream come back, its arguments reach it as they were given, and a
// program that is not there is told apart from one that failed.
#include <gtest/gtest.h>

#include "platform/ChildProcess.h"
#include "platform/ProgramSearch.h"

TEST(ChildProcess, GivesTheExitCodeAndTheOutputOrNothingForAMissingProgram) {
#ifdef _WIN32
    const std::vector<std::string> command{"cmd", "/c", "echo to out& echo to err 1>&2& exit 3"};
    const std::string output = "to out\r\nto err \r\n";
#else
    const std::vector<std::string> command{"sh", "-c", "echo to out; echo \"$1\" >&2; exit 3", "sh", "a \"quoted\" word"};
    const std::string output = "to out\na \"quoted\" word\n";
#endif
    const std::optional<platform::TChildResult> run = platform::RunChildProcess(command);
    ASSERT_TRUE(run.has_value());
    EXPECT_EQ(run->ExitCode, 3);
    EXPECT_EQ(run->Output, output);
    EXPECT_FALSE(platform::RunChildProcess({"kel-no-such-program"}).has_value());
}

// A program of the system is found by its full path on the search path; an
// empty, "." or other relative entry would mean the current folder and is
// passed over, so that a file planted there is never started.
TEST(ProgramSearch, OnlyFullFoldersOfTheSearchPathCount) {
    const auto inBinAndCurrent = [](const std::string& path) {
        return path == "/usr/bin/osslsigncode" || path == "./osslsigncode" || path == "osslsigncode" ||
               path == "tools/osslsigncode" || path == "C:\\Tools\\osslsigncode";
    };
    const std::pair<const char*, const char*> cases[] = {
        {"/usr/bin", "/usr/bin/osslsigncode"},
        {":/usr/bin", "/usr/bin/osslsigncode"},
        {".:tools:/usr/bin/", "/usr/bin/osslsigncode"},
        {"/opt/bin::.", ""},
        {"", ""},
    };
    for (const auto& [searchPath, found] : cases)
        EXPECT_EQ(platform::FindInSearchPath("osslsigncode", searchPath, ':', inBinAndCurrent), found) << searchPath;
    EXPECT_EQ(platform::FindInSearchPath("osslsigncode", ".;C:\\Tools", ';', inBinAndCurrent), "C:\\Tools\\osslsigncode");
}
