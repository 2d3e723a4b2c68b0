// Another program run to its end: its exit code and what it printed on
// either stream come back, its arguments reach it as they were given, and a
// program that is not there is told apart from one that failed.
#include <gtest/gtest.h>

#include "platform/ChildProcess.h"

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
