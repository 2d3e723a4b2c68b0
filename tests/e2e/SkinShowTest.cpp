#include "tests/e2e/SkinShowTest.h"

#include <algorithm>
#include <cstdio>

#include "platform/posix/NativePath.h"
#include "tests/e2e/Poll.h"
#include "tests/e2e/WinePath.h"

namespace {

constexpr int32_t kFormWidth = 620, kFormHeight = 440;
constexpr auto kStartTimeout = 90s;
constexpr auto kChangeTimeout = 3s;

const std::string kSkinShowExe = std::string(KEL_WIN32_BUILD_DIR) + "/samples/skinshow/skinshow.exe";

}  // namespace

void SkinShowTest::SetUp() {
    CheckPrerequisites(kSkinShowExe);
    if (HasFatalFailure()) return;
    log_ = std::make_unique<EventLogFile>(platform::NativePath(Scratch() / "events.log"));
    Launch({kSkinShowExe, WinePath(KEL_SOURCE_DIR "/samples/setup/Graphics"), "--log", WinePath(log_->Path()), "--backdrop"});
    const bool settled = WaitUntil([this] { return log_->Count("ready") > 0 || !Program().Running(); }, kStartTimeout);
    ASSERT_EQ(log_->Count("ready"), 1)
        << (settled ? "skinshow ended without getting ready" : "skinshow did not get ready in time")
        << "; its output:\n" << ProgramOutput();
    FindForm("KelForm", kFormWidth, kFormHeight);
    if (HasFatalFailure()) return;
    // Painted: every button shows its normal picture.
    for (const ButtonPlace& place : kButtonPlaces) ASSERT_TRUE(ButtonShows(place.Role, ButtonState::Normal));
}

void SkinShowTest::PrintRecords() const { std::printf("event log:\n%s", log_ ? log_->Text().c_str() : ""); }

testing::AssertionResult SkinShowTest::Logged(const std::string& line, int times) const {
    if (log_->WaitFor(line, kChangeTimeout, times)) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "\"" << line << "\" is logged " << log_->Count(line) << " times, expected "
                                       << times << "; the log:\n" << log_->Text();
}

testing::AssertionResult SkinShowTest::LoggedExactly(const std::string& line, int times) const {
    const int count = log_->Count(line);
    if (count == times) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "\"" << line << "\" is logged " << count << " times, expected " << times
                                       << "; the log:\n" << log_->Text();
}
