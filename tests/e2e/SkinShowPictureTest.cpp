// What skinshow shows on screen: the form cut to its picture's outline, and
// the button pictures following the mouse.
#include "tests/e2e/SkinShowTest.h"

#include <cstdio>

#include "tests/e2e/ScreenGrab.h"

namespace {

// Counts pixels that differ from what was expected and keeps the first few for the message.
class Mismatches {
public:
    explicit Mismatches(std::string what) : what_(std::move(what)) {}
    void Check(int32_t x, int32_t y, uint32_t seen, uint32_t expected) {
        if (seen == expected) return;
        if (count_++ < 5) {
            char text[80];
            std::snprintf(text, sizeof text, " (%d, %d) is #%06X, not #%06X;", x, y, seen, expected);
            examples_ += text;
        }
    }
    testing::AssertionResult None() const {
        if (count_ == 0) return testing::AssertionSuccess();
        return testing::AssertionFailure() << count_ << " " << what_ << " wrong on screen:" << examples_;
    }

private:
    std::string what_;
    int count_ = 0;
    std::string examples_;
};

// The button's place on screen shows the state's picture where that is
// opaque and the form's picture in its transparent corners, pixel for pixel.
testing::AssertionResult ButtonDrawn(const ScreenImage& shot, const SkinPictures& pictures, const TRect& form,
                                     const ButtonPlace& place, ButtonState state) {
    const TDecodedPicture& picture = pictures.Button(place.Role, state);
    Mismatches wrong(std::string("pixels of ") + place.Role + " (" + NameOf(state) + ") are");
    for (int32_t y = 0; y < picture.Height; ++y)
        for (int32_t x = 0; x < picture.Width; ++x) {
            const int32_t screenX = form.Left + place.Left + x, screenY = form.Top + place.Top + y;
            const uint32_t expected = TransparentAt(picture, x, y)
                                          ? RgbAt(pictures.Window(), place.Left + x, place.Top + y)
                                          : RgbAt(picture, x, y);
            wrong.Check(screenX, screenY, shot.At(screenX, screenY), expected);
        }
    return wrong.None();
}

bool OnOutline(const TDecodedPicture& picture, int32_t x, int32_t y) {
    if (x == 0 || y == 0 || x == picture.Width - 1 || y == picture.Height - 1) return true;
    return TransparentAt(picture, x - 1, y) || TransparentAt(picture, x + 1, y) || TransparentAt(picture, x, y - 1) ||
           TransparentAt(picture, x, y + 1);
}

}  // namespace

TEST_F(SkinShowTest, TheFormIsCentredAndCutToTheOutlineOfItsPicture) {
    const ScreenSize screen = DisplaySize();
    EXPECT_EQ(Form().Left, (screen.Width - Form().Width()) / 2);
    EXPECT_EQ(Form().Top, (screen.Height - Form().Height()) / 2);
    SaveForm("form");
    const ScreenImage shot = GrabScreen(TRect{0, 0, screen.Width, screen.Height});

    Mismatches magenta("pixels of the transparent colour are");
    for (int32_t y = 0; y < screen.Height; ++y)
        for (int32_t x = 0; x < screen.Width; ++x)
            if (shot.At(x, y) == kSkinTransparent) magenta.Check(x, y, shot.At(x, y), kBackdropColor);
    EXPECT_TRUE(magenta.None());

    // Outside the outline the backdrop shows; just inside it, the picture exactly.
    const TDecodedPicture& window = Pictures().Window();
    Mismatches outside("pixels outside the form's outline are"), edge("pixels along the inside of the outline are");
    for (int32_t y = -1; y <= window.Height; ++y)
        for (int32_t x = -1; x <= window.Width; ++x) {
            const ScreenPoint at = OnForm(x, y);
            const bool inPicture = x >= 0 && y >= 0 && x < window.Width && y < window.Height;
            if (!inPicture || TransparentAt(window, x, y))
                outside.Check(at.X, at.Y, shot.At(at.X, at.Y), kBackdropColor);
            else if (OnOutline(window, x, y))
                edge.Check(at.X, at.Y, shot.At(at.X, at.Y), RgbAt(window, x, y));
        }
    EXPECT_TRUE(outside.None());
    EXPECT_TRUE(edge.None());

    for (const ButtonPlace& place : kButtonPlaces)
        EXPECT_TRUE(ButtonDrawn(shot, Pictures(), Form(), place, ButtonState::Normal));
}

TEST_F(SkinShowTest, ButtonPicturesFollowHoverPressAndRelease) {
    const ScreenPoint middle = ButtonMiddle("Next"), away = OnForm(250, 370);
    MoveTo(middle);
    EXPECT_TRUE(ButtonShows("Next", ButtonState::Over));
    EXPECT_TRUE(ButtonDrawn(GrabScreen(Form()), Pictures(), Form(), PlaceOf("Next"), ButtonState::Over));
    SaveForm("next-over");
    PressMouse(MouseButton::Left);
    EXPECT_TRUE(ButtonShows("Next", ButtonState::Pressed));
    EXPECT_TRUE(ButtonDrawn(GrabScreen(Form()), Pictures(), Form(), PlaceOf("Next"), ButtonState::Pressed));
    SaveForm("next-pressed");
    ReleaseMouse(MouseButton::Left);
    EXPECT_TRUE(ButtonShows("Next", ButtonState::Over));
    MoveTo(away);
    EXPECT_TRUE(ButtonShows("Next", ButtonState::Normal));
    EXPECT_TRUE(ButtonKeeps("Cancel", ButtonState::Normal));

    // The right button presses the picture too, but clicks nothing.
    MoveTo(middle);
    EXPECT_TRUE(ButtonShows("Next", ButtonState::Over));
    PressMouse(MouseButton::Right);
    EXPECT_TRUE(ButtonShows("Next", ButtonState::Pressed));
    ReleaseMouse(MouseButton::Right);
    EXPECT_TRUE(ButtonShows("Next", ButtonState::Over));
    MoveTo(away);
    EXPECT_TRUE(ButtonShows("Next", ButtonState::Normal));
    EXPECT_TRUE(LoggedExactly("Next click", 1));
}

TEST_F(SkinShowTest, ReleasingOutsideAPressedButtonGivesNoClick) {
    // Dragged onto the form and released there.
    MoveTo(ButtonMiddle("Next"));
    PressMouse(MouseButton::Left);
    EXPECT_TRUE(ButtonShows("Next", ButtonState::Pressed));
    MoveTo(OnForm(250, 370));
    EXPECT_TRUE(ButtonKeeps("Next", ButtonState::Pressed)) << "while held outside";
    SaveForm("next-held-outside");
    ReleaseMouse(MouseButton::Left);
    EXPECT_TRUE(ButtonShows("Next", ButtonState::Normal));
    EXPECT_TRUE(Logged("Next up 0"));

    // Dragged off the form onto the window behind it and released there.
    MoveTo(ButtonMiddle("Next"));
    PressMouse(MouseButton::Left);
    EXPECT_TRUE(ButtonShows("Next", ButtonState::Pressed));
    MoveTo(ScreenPoint{Form().Left - 10, Form().Top + Form().Height() / 2});
    EXPECT_TRUE(ButtonKeeps("Next", ButtonState::Pressed)) << "while held off the form";
    ReleaseMouse(MouseButton::Left);
    EXPECT_TRUE(ButtonShows("Next", ButtonState::Normal));
    EXPECT_TRUE(Logged("Next up 0", 2));

    EXPECT_TRUE(LoggedExactly("Next click", 0));
    EXPECT_TRUE(ButtonKeeps("Back", ButtonState::Normal)) << "Back was toggled without a click on Next";
    // The button still works afterwards.
    ClickAt(ButtonMiddle("Next"));
    EXPECT_TRUE(Logged("Next click"));
}

TEST_F(SkinShowTest, ADisabledButtonKeepsItsPictureAndGivesNoClick) {
    ClickAt(ButtonMiddle("Next"));
    ASSERT_TRUE(Logged("Next click"));
    EXPECT_TRUE(ButtonShows("Back", ButtonState::Disabled));
    EXPECT_TRUE(ButtonDrawn(GrabScreen(Form()), Pictures(), Form(), PlaceOf("Back"), ButtonState::Disabled));
    SaveForm("back-disabled");

    MoveTo(ButtonMiddle("Back"));
    EXPECT_TRUE(ButtonKeeps("Back", ButtonState::Disabled)) << "when hovered";
    PressMouse(MouseButton::Left);
    EXPECT_TRUE(ButtonKeeps("Back", ButtonState::Disabled)) << "when pressed";
    ReleaseMouse(MouseButton::Left);
    EXPECT_TRUE(ButtonKeeps("Back", ButtonState::Disabled)) << "when released";
    EXPECT_TRUE(LoggedExactly("Back click", 0));

    // Enabled again, it answers the mouse.
    ClickAt(ButtonMiddle("Next"));
    EXPECT_TRUE(Logged("Next click", 2));
    EXPECT_TRUE(ButtonShows("Back", ButtonState::Normal));
    MoveTo(ButtonMiddle("Back"));
    EXPECT_TRUE(ButtonShows("Back", ButtonState::Over));
    ClickAt(ButtonMiddle("Back"));
    EXPECT_TRUE(Logged("Back click"));
}
