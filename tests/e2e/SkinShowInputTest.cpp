// Real mouse input on skinshow: where presses land, who keeps the mouse,
// what counts as a click, and closing.
#include "tests/e2e/SkinShowTest.h"

#include <algorithm>

#include "tests/e2e/Poll.h"
#include "tests/e2e/WindowFinder.h"

namespace {

std::string FormDown(MouseButton button, int32_t x, int32_t y) {
    return "form down " + std::to_string(LoggedNumber(button)) + " " + std::to_string(x) + " " + std::to_string(y);
}

std::string BackdropDown(MouseButton button, ScreenPoint at) {
    return "backdrop down " + std::to_string(LoggedNumber(button)) + " " + std::to_string(at.X) + " " +
           std::to_string(at.Y);
}

// The first opaque pixel of a picture row, searching from x in steps of
// `step`; -1 when the row has none.
int32_t FirstOpaque(const TDecodedPicture& picture, int32_t y, int32_t x, int32_t step) {
    for (; x >= 0 && x < picture.Width; x += step)
        if (!TransparentAt(picture, x, y)) return x;
    return -1;
}

int LinesStartingWith(const std::vector<std::string>& lines, const std::string& start) {
    return int(std::count_if(lines.begin(), lines.end(),
                             [&](const std::string& line) { return line.starts_with(start); }));
}

}  // namespace

TEST_F(SkinShowTest, TransparentFormPixelsGoToTheWindowBehind) {
    const TDecodedPicture& window = Pictures().Window();
    const int32_t middleRow = window.Height / 2, bottomRow = window.Height - 1;
    const int32_t left = FirstOpaque(window, middleRow, 0, +1);
    const int32_t right = FirstOpaque(window, bottomRow, window.Width - 1, -1);
    ASSERT_GT(left, 0) << "the skin's middle row has no transparent margin on the left";
    ASSERT_TRUE(right > 0 && right < window.Width - 1)
        << "the skin's bottom row has no transparent margin on the right";
    ASSERT_TRUE(TransparentAt(window, window.Width - 1, 0));

    // Both sides of the outline, one pixel apart.
    struct Probe {
        int32_t X, Y;
        bool OnForm;
    };
    const Probe probes[] = {{left - 1, middleRow, false}, {left, middleRow, true},
                            {right + 1, bottomRow, false}, {right, bottomRow, true},
                            {window.Width - 1, 0, false}};
    for (const Probe& probe : probes) {
        const ScreenPoint at = OnForm(probe.X, probe.Y);
        ClickAt(at);
        EXPECT_TRUE(Logged(probe.OnForm ? FormDown(MouseButton::Left, probe.X, probe.Y)
                                        : BackdropDown(MouseButton::Left, at)))
            << "press on form pixel (" << probe.X << ", " << probe.Y << ")";
    }
    // A right press falls through the same way.
    const ScreenPoint corner = OnForm(0, 0);
    ClickAt(corner, MouseButton::Right);
    EXPECT_TRUE(Logged(BackdropDown(MouseButton::Right, corner)));
    // Each press reached exactly one window.
    const std::vector<std::string> lines = Log().Lines();
    EXPECT_EQ(LinesStartingWith(lines, "form down"), 2) << Log().Text();
    EXPECT_EQ(LinesStartingWith(lines, "backdrop down"), 4) << Log().Text();
}

TEST_F(SkinShowTest, TransparentButtonCornersGoToTheFormBelow) {
    const TDecodedPicture& picture = Pictures().Button("Next", ButtonState::Normal);
    const int32_t lastRow = picture.Height - 1, lastColumn = picture.Width - 1;
    const int32_t leftEdge = FirstOpaque(picture, 0, 0, +1), rightEdge = FirstOpaque(picture, 0, lastColumn, -1);
    ASSERT_TRUE(leftEdge > 0 && rightEdge < lastColumn) << "the button picture has no transparent corners";
    ASSERT_TRUE(TransparentAt(picture, lastColumn, lastRow));
    const ButtonPlace next = PlaceOf("Next");

    // The corner pixels and the last transparent pixels of the top row: the form below gets the press.
    const std::pair<int32_t, int32_t> corners[] = {
        {0, 0}, {leftEdge - 1, 0}, {rightEdge + 1, 0}, {lastColumn, lastRow}};
    for (const auto& [x, y] : corners) {
        ClickAt(OnButton("Next", x, y));
        EXPECT_TRUE(Logged(FormDown(MouseButton::Left, next.Left + x, next.Top + y)))
            << "press on button pixel (" << x << ", " << y << ")";
    }
    EXPECT_TRUE(LoggedExactly("Next down 0", 0));
    EXPECT_TRUE(LoggedExactly("Next click", 0));
    // The first opaque pixels next to them belong to the button.
    ClickAt(OnButton("Next", leftEdge, 0));
    EXPECT_TRUE(Logged("Next down 0"));
    ClickAt(OnButton("Next", rightEdge, 0));
    EXPECT_TRUE(Logged("Next down 0", 2));
    EXPECT_TRUE(LoggedExactly(FormDown(MouseButton::Left, next.Left + leftEdge, next.Top), 0));
}

TEST_F(SkinShowTest, AnyPressOnAButtonKeepsTheMouseUntilALeftRelease) {
    // Between the text panel and the buttons: the form itself.
    ASSERT_FALSE(TransparentAt(Pictures().Window(), 250, 370));
    const ScreenPoint elsewhere = OnForm(250, 370);
    const std::string formDown = FormDown(MouseButton::Left, 250, 370);

    // Right press and release on Next: the next left press and release away from it still go to Next.
    ClickAt(ButtonMiddle("Next"), MouseButton::Right);
    EXPECT_TRUE(Logged("Next down 1"));
    EXPECT_TRUE(Logged("Next up 1"));
    ClickAt(elsewhere);
    EXPECT_TRUE(Logged("Next down 0"));
    EXPECT_TRUE(Logged("Next up 0"));
    EXPECT_TRUE(LoggedExactly(formDown, 0));
    // Released outside Next: no click. The left release gave the mouse back.
    EXPECT_TRUE(LoggedExactly("Next click", 0));
    ClickAt(elsewhere);
    EXPECT_TRUE(Logged(formDown));

    // The same with the middle button on Back.
    ClickAt(ButtonMiddle("Back"), MouseButton::Middle);
    EXPECT_TRUE(Logged("Back down 2"));
    EXPECT_TRUE(Logged("Back up 2"));
    ClickAt(elsewhere);
    EXPECT_TRUE(Logged("Back down 0"));
    EXPECT_TRUE(Logged("Back up 0"));
    EXPECT_TRUE(LoggedExactly(formDown, 1));
    EXPECT_TRUE(LoggedExactly("Back click", 0));
    ClickAt(elsewhere);
    EXPECT_TRUE(Logged(formDown, 2));
}

TEST_F(SkinShowTest, ALeftClickIsReportedOnceAndTogglesBack) {
    ClickAt(ButtonMiddle("Next"));
    EXPECT_TRUE(Logged("Next click"));
    EXPECT_TRUE(ButtonShows("Back", ButtonState::Disabled));
    Pause(300ms);  // time for a stray second click to show up
    std::vector<std::string> lines = Log().Lines();
    std::sort(lines.begin() + 1, lines.end());
    EXPECT_EQ(lines, (std::vector<std::string>{"ready", "Next click", "Next down 0", "Next up 0"})) << Log().Text();

    ClickAt(ButtonMiddle("Next"));
    EXPECT_TRUE(Logged("Next click", 2));
    EXPECT_TRUE(ButtonShows("Back", ButtonState::Normal));
    Pause(300ms);
    EXPECT_TRUE(LoggedExactly("Next click", 2));
}

TEST_F(SkinShowTest, CancelClosesTheProgramOnALeftClickOnly) {
    ClickAt(ButtonMiddle("Cancel"), MouseButton::Right);
    EXPECT_TRUE(Logged("Cancel up 1"));
    Pause(300ms);
    EXPECT_TRUE(Program().Running()) << "a right click on Cancel closed the program";
    EXPECT_TRUE(LoggedExactly("Cancel click", 0));

    ClickAt(ButtonMiddle("Cancel"));
    EXPECT_TRUE(Logged("Cancel click"));
    const std::optional<int> exitCode = Program().WaitForExit(20s);
    ASSERT_TRUE(exitCode.has_value()) << "skinshow still runs (or was killed) after Cancel; the log:\n" << Log().Text();
    EXPECT_EQ(*exitCode, 0);
    EXPECT_TRUE(LoggedExactly("closed", 1));
    EXPECT_EQ(Log().Lines().back(), "closed");
    // The X server drops the window when it notices the program's connection is gone.
    EXPECT_TRUE(WaitUntil([&] { return !FindShownWindow("KelForm", Form().Width(), Form().Height()); }, 3s))
        << "the form is still shown";
}
