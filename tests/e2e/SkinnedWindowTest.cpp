#include "tests/e2e/SkinnedWindowTest.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/posix/NativePath.h"
#include "tests/e2e/Poll.h"
#include "tests/e2e/ScreenGrab.h"
#include "tests/e2e/WindowFinder.h"
#include "tests/e2e/WineSystem.h"
#include "tests/support/RunProcess.h"
#include "tests/support/ScratchFolder.h"

namespace {

constexpr int32_t kButtonWidth = 96, kButtonHeight = 34;
// Making the Wine prefix on the first run takes a while.
constexpr auto kStartTimeout = 90s;
constexpr auto kChangeTimeout = 3s;
// A screen sample counts as a state's picture when every channel is this close.
constexpr int kStateTolerance = 16;

const std::string kSourceDir = KEL_SOURCE_DIR;

bool ToolFound(const std::string& tool) { return RunProcess("command -v " + tool + " >/dev/null").ExitCode == 0; }

int ChannelDistance(uint32_t a, uint32_t b) {
    int distance = 0;
    for (int shift : {16, 8, 0})
        distance = std::max(distance, std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)));
    return distance;
}

std::string Hex(uint32_t rgb) {
    char text[16];
    std::snprintf(text, sizeof text, "#%06X", rgb & 0xFFFFFF);
    return text;
}

uint32_t AverageOf(const ScreenImage& image) {
    const TRect& area = image.Area();
    uint64_t sums[3] = {};
    for (int32_t y = area.Top; y < area.Bottom; ++y)
        for (int32_t x = area.Left; x < area.Right; ++x)
            for (int channel = 0; channel < 3; ++channel) sums[channel] += image.At(x, y) >> (16 - 8 * channel) & 0xFF;
    const uint64_t n = uint64_t(area.Width()) * uint64_t(area.Height());
    auto mean = [&](int channel) { return uint32_t((sums[channel] + n / 2) / n); };
    return mean(0) << 16 | mean(1) << 8 | mean(2);
}

std::string Head(const std::string& text, size_t length = 4000) {
    return text.size() <= length ? text : text.substr(0, length) + "...";
}

}  // namespace

void SkinnedWindowTest::CheckPrerequisites(const std::string& exe) {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        GTEST_FAIL() << "DISPLAY is not set: the end-to-end tests need an X display (scripts/test-all.sh runs them "
                        "inside Xvfb; by hand: source scripts/display.sh; start_display)";
    if (access(exe.c_str(), R_OK) != 0)
        GTEST_FAIL() << exe << " is missing: build the Windows build first (see README.md), or point the "
                     << "cache variable KEL_WIN32_BUILD_DIR at it";
    for (const char* tool : {"xdotool", "import", "wine"})
        if (!ToolFound(tool)) GTEST_FAIL() << tool << " is not installed (scripts/install-deps.sh installs it)";
    pictures_ = std::make_unique<SkinPictures>(kSourceDir + "/samples/setup/Graphics",
                                               std::vector<std::string>{"Back", "Next", "Cancel"});
    scratch_ = std::make_unique<ScratchFolder>();
    outputFile_ = platform::NativePath(*scratch_ / "output.txt");
}

void SkinnedWindowTest::Launch(const std::vector<std::string>& arguments) {
    StartWineSession();
    std::vector<std::string> command{"bash", kSourceDir + "/scripts/wine-run.sh"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    program_ = std::make_unique<BackgroundProgram>(command, outputFile_);
}

std::string SkinnedWindowTest::ProgramOutput() const { return Head(ReadFile(outputFile_)); }

void SkinnedWindowTest::FindForm(const std::string& title, int32_t width, int32_t height) {
    std::optional<TRect> found;
    const bool shown = WaitUntil(
        [&] { return (found = FindShownWindow(title, width, height)).has_value() || !program_->Running(); },
        kStartTimeout);
    ASSERT_TRUE(shown && found) << "no " << width << " x " << height << " window titled " << title
                                << " is shown; the program (" << program_->HowItEnded() << ") printed:\n"
                                << ProgramOutput();
    form_ = *found;
    // The pointer starts away from the form's buttons.
    MoveMouse(1, 1);
}

void SkinnedWindowTest::TearDown() {
    if (HasFailure() && program_ && program_->Running()) {
        const std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        const std::string shot = "/tmp/e2e-failed-" + name + ".png";
        try {
            SaveScreenshot(shot, TRect{0, 0, DisplaySize().Width, DisplaySize().Height});
            std::printf("screen at the failure: %s\n", shot.c_str());
        } catch (const std::exception&) {
        }
    }
    if (program_) program_->Stop();
    if (HasFailure() && scratch_) {
        PrintRecords();
        std::printf("program output:\n%s\n", ProgramOutput().c_str());
    }
}

ButtonPlace SkinnedWindowTest::PlaceOf(const std::string& role) {
    for (const ButtonPlace& place : kButtonPlaces)
        if (role == place.Role) return place;
    throw std::out_of_range("no button " + role);
}

ScreenPoint SkinnedWindowTest::OnButton(const std::string& role, int32_t x, int32_t y) const {
    const ButtonPlace place = PlaceOf(role);
    return OnForm(place.Left + x, place.Top + y);
}

ScreenPoint SkinnedWindowTest::ButtonMiddle(const std::string& role) const {
    return OnButton(role, kButtonWidth / 2, kButtonHeight / 2);
}

TRect SkinnedWindowTest::ButtonSample(const std::string& role) const {
    const ScreenPoint corner = OnButton(role, (kButtonWidth - 20) / 2, (kButtonHeight - 10) / 2);
    return TRect{corner.X, corner.Y, corner.X + 20, corner.Y + 10};
}

void SkinnedWindowTest::PressAt(ScreenPoint point, MouseButton button) {
    MoveTo(point);
    PressMouse(button);
}

void SkinnedWindowTest::ClickAt(ScreenPoint point, MouseButton button) {
    PressAt(point, button);
    ReleaseMouse(button);
}

std::optional<ButtonState> SkinnedWindowTest::StateOnScreen(const std::string& role, std::string& seen) const {
    const TRect sample = ButtonSample(role);
    const TRect inPicture = OffsetRect(sample, -OnButton(role, 0, 0).X, -OnButton(role, 0, 0).Y);
    const uint32_t onScreen = AverageOf(GrabScreen(sample));
    std::optional<ButtonState> nearest;
    int nearestDistance = 256;
    seen = "screen " + Hex(onScreen) + ", pictures:";
    for (ButtonState state : kButtonStates) {
        const uint32_t expected = AverageOf(pictures_->Button(role, state), inPicture);
        const int distance = ChannelDistance(onScreen, expected);
        seen += std::string(" ") + NameOf(state) + " " + Hex(expected);
        if (distance < nearestDistance) {
            nearestDistance = distance;
            nearest = state;
        }
    }
    if (nearestDistance > kStateTolerance) return std::nullopt;
    return nearest;
}

testing::AssertionResult SkinnedWindowTest::ButtonShows(const std::string& role, ButtonState state) const {
    std::string seen;
    std::optional<ButtonState> shown;
    if (WaitUntil([&] { return (shown = StateOnScreen(role, seen)) == state; }, kChangeTimeout, 100ms))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << role << " shows " << (shown ? NameOf(*shown) : "no state's picture")
                                       << ", expected " << NameOf(state) << " (" << seen << ")";
}

testing::AssertionResult SkinnedWindowTest::ButtonKeeps(const std::string& role, ButtonState state) const {
    for (int look = 0; look < 5; ++look) {
        if (look > 0) Pause(100ms);
        std::string seen;
        const std::optional<ButtonState> shown = StateOnScreen(role, seen);
        if (shown != state)
            return testing::AssertionFailure() << role << " shows " << (shown ? NameOf(*shown) : "no state's picture")
                                               << ", expected it to keep " << NameOf(state) << " (" << seen << ")";
    }
    return testing::AssertionSuccess();
}

void SkinnedWindowTest::SaveForm(const std::string& name) const {
    const TRect area{form_.Left - 20, form_.Top - 20, form_.Right + 20, form_.Bottom + 20};
    SaveScreenshot("/tmp/e2e-" + name + ".png", area);
}
