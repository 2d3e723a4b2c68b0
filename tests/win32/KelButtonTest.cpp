// The four-state image button as a real window: which picture each state
// shows, the size it takes, the clicks it gives and the names it gets.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "skin/KelButton.h"
#include "skin/KelForm.h"
#include "tests/support/BmpBuilder.h"
#include "tests/support/ScratchFolder.h"
#include "tests/win32/WindowChecks.h"

namespace {

constexpr uint32_t kMagenta = 0xFF00FF;

class KelButtonWindow : public ::testing::Test {
protected:
    ScratchFolder scratch;
    TKelForm form{nullptr};
    TKelButton& button = form.Make<TKelButton>();
    int clicks = 0;

    KelButtonWindow() {
        WriteCornerPicture(scratch / "normal.bmp", 20, 10, 0x808080);
        WriteCornerPicture(scratch / "over.bmp", 24, 12, 0xFFFF00);
        WriteCornerPicture(scratch / "pressed.bmp", 22, 11, 0x000080);
        WriteCornerPicture(scratch / "disabled.bmp", 20, 10, 0xC0C0C0);
        form.SetBounds(0, 0, 200, 100);
        button.SetParent(&form);
        button.SetBounds(30, 40, 73, 57);
        button.SetImageNormal(scratch / "normal.bmp");
        button.SetImageOver(scratch / "over.bmp");
        button.SetImagePressed(scratch / "pressed.bmp");
        button.SetImageDisabled(scratch / "disabled.bmp");
        // The wizard's order: alpha mode, threshold, enable, outline.
        button.Skin().SetTransparentColor(TColor(kMagenta));
        button.Skin().SetAlphaMode(gaTransparentColor);
        button.SetAlphaThreshold(100);
        button.SetEnabled(true);
        button.SetWindowShape(shAlphaMask);
        button.OnClick = [this](TComponent&) { ++clicks; };
    }

    std::string Shown() { return button.Skin().FileName(); }
    HWND Window() { return WindowOf(button); }
};

TEST_F(KelButtonWindow, EnablingLoadsTheNormalPictureAndTakesItsSizeAndOutline) {
    EXPECT_EQ(Shown(), scratch / "normal.bmp");
    EXPECT_EQ(button.BoundsRect(), (TRect{30, 40, 50, 50}));
    EXPECT_EQ(button.Bitmap().Width(), 20);
    EXPECT_FALSE(OutlineContains(Window(), 0, 0));  // a transparent corner
    EXPECT_TRUE(OutlineContains(Window(), 1, 0));
    EXPECT_FALSE(OutlineContains(Window(), 19, 9));
}

TEST_F(KelButtonWindow, StatesSwapPicturesAndSizesKeepingTheTopLeftCorner) {
    button.BEnter(button);
    EXPECT_EQ(Shown(), scratch / "over.bmp");
    EXPECT_EQ(button.BoundsRect(), (TRect{30, 40, 54, 52}));
    EXPECT_FALSE(OutlineContains(Window(), 23, 11));
    EXPECT_TRUE(OutlineContains(Window(), 22, 11));

    SendMouse(Window(), WM_RBUTTONDOWN, 3, 3, MK_RBUTTON);
    EXPECT_EQ(Shown(), scratch / "pressed.bmp");
    EXPECT_EQ(button.Width(), 22);
    SendMouse(Window(), WM_RBUTTONUP, 3, 3);
    EXPECT_EQ(Shown(), scratch / "over.bmp");
    EXPECT_EQ(clicks, 0);  // a right press and release is no click

    button.BExit(button);
    EXPECT_EQ(Shown(), scratch / "normal.bmp");
    EXPECT_EQ(button.BoundsRect(), (TRect{30, 40, 50, 50}));
}

TEST_F(KelButtonWindow, OnlyALeftReleaseInsideClicks) {
    SendMouse(Window(), WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    SendMouse(Window(), WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Shown(), scratch / "over.bmp");

    // Pressed, dragged out with the button held, released outside.
    SendMouse(Window(), WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    button.BExit(button);
    EXPECT_EQ(Shown(), scratch / "pressed.bmp");
    SendMouse(Window(), WM_LBUTTONUP, button.Width(), 5);  // the right edge is outside
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Shown(), scratch / "normal.bmp");
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(KelButtonWindow, ADisabledButtonKeepsItsPicture) {
    button.SetEnabled(false);
    EXPECT_EQ(Shown(), scratch / "disabled.bmp");
    EXPECT_FALSE(IsWindowEnabled(Window()));
    button.BEnter(button);
    button.BDown(button, mbLeft, 0, 1, 1, nullptr);
    button.BUp(button, mbLeft, 0, 1, 1, nullptr);
    button.BExit(button);
    EXPECT_EQ(Shown(), scratch / "disabled.bmp");
    button.SetEnabled(true);
    EXPECT_EQ(Shown(), scratch / "normal.bmp");
}

TEST_F(KelButtonWindow, NamesTakeEffectOnlyAtTheNextChangeAndEmptyNamesKeepThePicture) {
    WriteCornerPicture(scratch / "other.bmp", 30, 15, 0x00FF00);
    button.SetImageNormal(scratch / "other.bmp");
    EXPECT_EQ(Shown(), scratch / "normal.bmp");
    button.SetImageOver("");
    button.BEnter(button);
    EXPECT_EQ(Shown(), scratch / "normal.bmp");
    button.SetEnabled(true);
    EXPECT_EQ(Shown(), scratch / "other.bmp");
    EXPECT_EQ(button.Width(), 30);

    // The name already shown: nothing changes, not even a size set in between.
    button.SetWidth(50);
    button.SetEnabled(true);
    EXPECT_EQ(button.Width(), 50);
}

TEST_F(KelButtonWindow, OwnMouseHandlersReplaceTheButtonsOwn) {
    int downs = 0;
    button.OnMouseDown = [&](TComponent&, TMouseButton, TShiftState, int32_t, int32_t, TCustomLayer*) { ++downs; };
    SendMouse(Window(), WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    SendMouse(Window(), WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(Shown(), scratch / "over.bmp");  // never pressed; the release still shows the hover
}

TEST(KelButtonFiles, NamesWithoutADriveAreTakenFromTheProgramsFolder) {
    const std::string folder = platform::ProgramFolder();
    ASSERT_FALSE(folder.empty());
    TKelForm form(nullptr);
    TKelButton& button = form.Make<TKelButton>();
    EXPECT_THROW(button.SetWindowShape(shEllipse), Exception);  // a window needs its parent's
    button.SetParent(&form);
    auto shownFor = [&](const std::string& name) {
        button.SetImageOver(name);
        button.SetButtonState(isOver);
        return button.Skin().FileName();
    };
    EXPECT_EQ(shownFor("pictures\\over.bmp"), folder + "\\pictures\\over.bmp");
    EXPECT_EQ(shownFor("\\over.bmp"), folder + "\\\\over.bmp");  // one backslash is still relative
    EXPECT_EQ(shownFor("C:over.bmp"), "C:over.bmp");
    EXPECT_EQ(shownFor("\\\\server\\share\\over.bmp"), "\\\\server\\share\\over.bmp");
    button.SetImageOver("");
    button.SetButtonState(isOver);
    button.SetButtonState(TButtonImageState(9));
    EXPECT_EQ(button.Skin().FileName(), "\\\\server\\share\\over.bmp");
}

TEST(KelButtonNames, EachButtonIsNamedWithTheNextNumber) {
    TKelButton first(nullptr), second(nullptr);
    const int a = std::stoi(first.Name().substr(8)), b = std::stoi(second.Name().substr(8));
    EXPECT_EQ(first.Name().substr(0, 8), "Tarnwick");
    EXPECT_EQ(b, a + 1);
}

}  // namespace
