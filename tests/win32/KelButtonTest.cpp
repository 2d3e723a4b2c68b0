// The four-state image button as a real window: which picture each state
// shows, the size it takes, the clicks it gives and the names it gets.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <functional>

#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/ui/ButtonAccessibility.h"
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
    button.BEnter(button);
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

// A click that runs long (the copy phase) with the button disabled, while
// the pointer leaves: the release shows the normal picture, not the hover one.
TEST_F(KelButtonWindow, APointerThatLeftDuringTheClickLeavesTheNormalPicture) {
    button.OnClick = [this](TComponent&) {
        button.SetEnabled(false);
        button.BExit(button);
        button.SetEnabled(true);
    };
    button.BEnter(button);
    SendMouse(Window(), WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    SendMouse(Window(), WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(Shown(), scratch / "normal.bmp");
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
    button.BEnter(button);
    SendMouse(Window(), WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    SendMouse(Window(), WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(Shown(), scratch / "over.bmp");  // never pressed; the release still shows the hover
}

// The colour of a pixel of the window as painted now.
COLORREF PixelOf(HWND window, int x, int y) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetDC(window);
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return color;
}

void SetFocusCues(TWinControl& form, bool shown) {
    SendMessageW(WindowOf(form), WM_CHANGEUISTATE, MAKEWPARAM(shown ? UIS_CLEAR : UIS_SET, UISF_HIDEFOCUS), 0);
}

TEST_F(KelButtonWindow, TheFocusFrameShowsOnlyWithFocusAndFocusCues) {
    form.Show();
    const COLORREF grey = RGB(0x80, 0x80, 0x80);
    struct Row {
        const char* what;
        bool focused, cues;
        COLORREF corner, next;  // the frame's first two pixels, 3 pixels in
    };
    const Row table[] = {
        {"unfocused", false, true, grey, grey},
        {"focused, cues hidden until the keyboard is used", true, false, grey, grey},
        {"focused with cues: black and white dots", true, true, RGB(0, 0, 0), RGB(255, 255, 255)},
    };
    for (const Row& row : table) {
        SetFocus(row.focused ? Window() : WindowOf(form));
        SetFocusCues(form, row.cues);
        EXPECT_EQ(PixelOf(Window(), 3, 3), row.corner) << row.what;
        EXPECT_EQ(PixelOf(Window(), 4, 3), row.next) << row.what;
        EXPECT_EQ(PixelOf(Window(), 2, 3), grey) << row.what << ": the picture outside the frame";
    }
}

// Whether two colours stand apart in every channel by at least half the range.
bool Contrasts(COLORREF a, COLORREF b) {
    const auto apart = [](int x, int y) { return (x > y ? x - y : y - x) >= 0x80; };
    return apart(GetRValue(a), GetRValue(b)) && apart(GetGValue(a), GetGValue(b)) && apart(GetBValue(a), GetBValue(b));
}

// The frame stands out over a light skin's picture and over a dark one's:
// at least a third of its top edge contrasts with the picture.
TEST_F(KelButtonWindow, TheFocusFrameStaysVisibleOnLightAndDarkPictures) {
    form.Show();
    SetFocus(Window());
    SetFocusCues(form, true);
    for (const COLORREF skin : {RGB(0xF8, 0xF8, 0xF8), RGB(0x10, 0x14, 0x18)}) {
        const auto picture = scratch / ("skin" + std::to_string(skin) + ".bmp");
        WriteCornerPicture(picture, 20, 10, uint32_t(GetRValue(skin) << 16 | GetGValue(skin) << 8 | GetBValue(skin)));
        button.SetImageNormal(picture);
        button.SetEnabled(true);
        ASSERT_EQ(PixelOf(Window(), 1, 5), skin) << "the picture shows";
        int contrasting = 0;
        for (int x = 3; x < 17; ++x) contrasting += Contrasts(PixelOf(Window(), x, 3), skin);
        EXPECT_GE(contrasting, 5) << std::hex << skin;
    }
}

TEST_F(KelButtonWindow, SpaceAndEnterPressTheFocusedButtonUnlessItIsDisabled) {
    form.Show();
    button.SetFocus();
    PostKeyTo(Window(), VK_SPACE);
    Pump();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Shown(), scratch / "normal.bmp");
    PostKeyTo(Window(), VK_RETURN);
    Pump();
    EXPECT_EQ(clicks, 2);
    SendMessageW(Window(), WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_EQ(Shown(), scratch / "pressed.bmp") << "held down";
    SendMessageW(Window(), WM_KEYDOWN, VK_SPACE, 0x40000001);  // a repeat
    SendMessageW(Window(), WM_KEYUP, VK_SPACE, 0xC0000001);
    EXPECT_EQ(clicks, 3);
    button.SetEnabled(false);
    SendMessageW(Window(), WM_KEYDOWN, VK_SPACE, 1);
    SendMessageW(Window(), WM_KEYUP, VK_SPACE, 0xC0000001);
    SendMessageW(Window(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 3);
}

// What a screen reader reads of the button, through the system's accessibility interface.
struct TAccessibleView {
    std::wstring Name, Shortcut, Action;
    long Role = 0, State = 0;
};

std::wstring Take(BSTR text) {
    std::wstring result = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return result;
}

TAccessibleView ReadAccessible(HWND window) {
    TAccessibleView view;
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, DWORD(OBJID_CLIENT), IID_IAccessible, reinterpret_cast<void**>(&object))))
        return view;
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    if (object->get_accName(self, &text) == S_OK) view.Name = Take(text);
    if (object->get_accKeyboardShortcut(self, &text) == S_OK) view.Shortcut = Take(text);
    if (object->get_accDefaultAction(self, &text) == S_OK) view.Action = Take(text);
    VARIANT value;
    VariantInit(&value);
    if (SUCCEEDED(object->get_accRole(self, &value)) && value.vt == VT_I4) view.Role = value.lVal;
    VariantInit(&value);
    if (SUCCEEDED(object->get_accState(self, &value)) && value.vt == VT_I4) view.State = value.lVal;
    object->Release();
    return view;
}

TEST_F(KelButtonWindow, AScreenReaderReadsAButtonWithItsNameKeyAndState) {
    CoInitialize(nullptr);
    form.Show();
    button.SetAccessibleObjectMaker(ButtonAccessibleObject);
    button.SetCaption("&Next");
    TAccessibleView view = ReadAccessible(Window());
    EXPECT_EQ(view.Name, L"Next");
    EXPECT_EQ(view.Shortcut, L"Alt+N");
    EXPECT_EQ(view.Action, L"Press");
    EXPECT_EQ(view.Role, ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(view.State & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_PRESSED), 0);

    struct Row {
        const char* what;
        std::function<void()> act;
        long present, absent;
    };
    const Row table[] = {
        {"focused", [&] { button.SetFocus(); }, STATE_SYSTEM_FOCUSED | STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_PRESSED},
        {"held down", [&] { SendMouse(Window(), WM_LBUTTONDOWN, 5, 5, MK_LBUTTON); }, STATE_SYSTEM_PRESSED, 0},
        {"let go", [&] { SendMouse(Window(), WM_LBUTTONUP, 50, 50); }, 0, STATE_SYSTEM_PRESSED},
        {"disabled", [&] { button.SetEnabled(false); }, STATE_SYSTEM_UNAVAILABLE, STATE_SYSTEM_FOCUSABLE},
    };
    for (const Row& row : table) {
        row.act();
        view = ReadAccessible(Window());
        EXPECT_EQ(view.State & row.present, row.present) << row.what << " " << std::hex << view.State;
        EXPECT_EQ(view.State & row.absent, 0) << row.what << " " << std::hex << view.State;
        EXPECT_EQ(view.Role, ROLE_SYSTEM_PUSHBUTTON) << row.what;
    }
    CoUninitialize();
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
