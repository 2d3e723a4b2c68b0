// The shaped, skinned form and frame as real windows: the outline each shape
// gives the window, the wizard's sequence of skin settings, what a paint
// leaves on screen, the order of skin work and resize, capture and cursor.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/KelFrame.h"
#include "skin/KelForm.h"
#include "tests/support/BmpBuilder.h"
#include "tests/support/ScratchFolder.h"
#include "tests/win32/WindowChecks.h"

namespace {

constexpr uint32_t kMagenta = 0xFF00FF, kRed = 0xFF0000, kBlue = 0x0000FF;
constexpr TColor kMagentaColor = 0xFF00FF;

// A 40 x 30 skin: red, with a magenta border of 3 pixels and a magenta
// notch of 5 x 5 cut into the top edge's middle.
std::vector<std::vector<uint32_t>> NotchedSkin() {
    std::vector<std::vector<uint32_t>> rows(30, std::vector<uint32_t>(40, kRed));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool border = x < 3 || y < 3 || x >= 37 || y >= 27;
            const bool notch = y < 8 && x >= 18 && x < 23;
            if (border || notch) rows[y][x] = kMagenta;
        }
    return rows;
}

class ShapedWindow : public ::testing::Test {
protected:
    ScratchFolder scratch;
    std::string skinFile = scratch / "skin.bmp";

    ShapedWindow() { WriteBmp(skinFile, NotchedSkin()); }

    // The wizard's order: picture, colour, alpha mode, threshold, shape, then the size.
    template <class T>
    void ApplyWizardSkin(T& view) {
        view.Skin().SetFileName(skinFile);
        view.Skin().SetTransparentColor(kMagentaColor);
        view.Skin().SetAlphaMode(gaTransparentColor);
        view.SetAlphaThreshold(100);
        view.SetWindowShape(shAlphaMask);
        view.SetWidth(view.Skin().GetBitmap().Width());
        view.SetHeight(view.Skin().GetBitmap().Height());
    }
};

TEST_F(ShapedWindow, TheFormsOutlineFollowsThePicturePixelForPixel) {
    TKelForm form(nullptr);
    ApplyWizardSkin(form);
    EXPECT_EQ(form.Width(), 40);
    EXPECT_EQ(form.Height(), 30);
    EXPECT_EQ(form.Bitmap().Width(), 40);
    HWND window = WindowOf(form);
    const auto skin = NotchedSkin();
    int mismatches = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            if (OutlineContains(window, x, y) != (skin[y][x] != kMagenta)) ++mismatches;
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & 0xFFFF0000, 0x86000000 & 0xFFFF0000u);
    EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_CONTROLPARENT, WS_EX_CONTROLPARENT);
}

TEST_F(ShapedWindow, EachShapeGivesItsOutline) {
    TKelForm form(nullptr);
    TKelFrame frame(nullptr);
    frame.SetParent(&form);
    form.SetBounds(0, 0, 60, 50);
    frame.SetBounds(5, 5, 30, 20);
    for (TWindowShape shape : {shEllipse, shRoundRect, shRectangle}) {
        form.SetWindowShape(shape);
        frame.SetWindowShape(shape);
    }
    form.SetWindowShape(shRoundRect);
    frame.SetWindowShape(shRoundRect);
    EXPECT_TRUE(OutlineEquals(WindowOf(form), CreateRoundRectRgn(0, 0, 60, 50, 10, 10), 60, 50));
    EXPECT_TRUE(OutlineEquals(WindowOf(frame), CreateRoundRectRgn(0, 0, 30, 20, 4, 4), 30, 20));
    EXPECT_FALSE(OutlineEquals(WindowOf(frame), CreateRoundRectRgn(0, 0, 30, 20, 10, 10), 30, 20));
    form.SetWindowShape(shEllipse);
    EXPECT_TRUE(OutlineEquals(WindowOf(form), CreateEllipticRgn(0, 0, 60, 50), 60, 50));
    form.SetWindowShape(TWindowShape(7));
    EXPECT_TRUE(OutlineEquals(WindowOf(form), CreateRectRgn(0, 0, 60, 50), 60, 50));
    form.SetWindowShape(shNoRegion);
    EXPECT_FALSE(HasOutline(WindowOf(form)));
    // An alpha mask without a picture is the plain rectangle.
    frame.SetWindowShape(shAlphaMask);
    EXPECT_TRUE(OutlineEquals(WindowOf(frame), CreateRectRgn(0, 0, 30, 20), 30, 20));
}

TEST_F(ShapedWindow, AShownFormPaintsItsPictureWithoutErasing) {
    TKelForm form(nullptr);
    ApplyWizardSkin(form);
    form.SetBounds(100, 100, 40, 30);
    form.Show();
    UpdateWindow(WindowOf(form));
    Pump();
    EXPECT_TRUE(form.BufferReady());
    EXPECT_EQ(form.BackBuffer().GetPixel(10, 10), form.Bitmap().GetPixel(10, 10));
    EXPECT_EQ(SendMessageW(WindowOf(form), WM_ERASEBKGND, 0, 0), 1);

    HDC screen = GetDC(nullptr);
    const COLORREF shown = GetPixel(screen, 110, 110);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(shown, RGB(255, 0, 0));
}

TEST_F(ShapedWindow, TheFormRendersItsSkinBeforeResizingTheFrameAfter) {
    TKelForm form(nullptr);
    TKelFrame frame(nullptr);
    frame.SetParent(&form);
    form.Skin().SetFileName(skinFile);
    frame.Skin().SetFileName(skinFile);
    form.SetWindowShape(shAlphaMask);
    frame.SetWindowShape(shAlphaMask);
    int32_t formBitmapWidthSeen = -1, frameBitmapWidthSeen = -1;
    form.OnResize = [&](TComponent&) { formBitmapWidthSeen = form.Bitmap().Width(); };
    frame.OnResize = [&](TComponent&) { frameBitmapWidthSeen = frame.Bitmap().Width(); };
    form.SetWidth(123);
    frame.SetWidth(77);
    EXPECT_EQ(formBitmapWidthSeen, 123);
    EXPECT_NE(frameBitmapWidthSeen, 77);
    EXPECT_EQ(frame.Bitmap().Width(), 77);
}

TEST_F(ShapedWindow, AnyPressCapturesAndOnlyALeftReleaseLetsGo) {
    TKelForm form(nullptr);
    form.SetBounds(0, 0, 50, 50);
    form.Show();
    HWND window = WindowOf(form);
    std::vector<TMouseButton> downs;
    form.OnMouseDown = [&](TComponent&, TMouseButton b, TShiftState, int32_t, int32_t, TCustomLayer* layer) {
        EXPECT_EQ(layer, nullptr);
        downs.push_back(b);
    };
    SendMouse(window, WM_RBUTTONDOWN, 5, 5, MK_RBUTTON);
    EXPECT_EQ(GetCapture(), window);
    SendMouse(window, WM_RBUTTONUP, 5, 5);
    EXPECT_EQ(GetCapture(), window);
    SendMouse(window, WM_MBUTTONDOWN, 5, 5, MK_MBUTTON);
    SendMouse(window, WM_MBUTTONUP, 5, 5);
    EXPECT_EQ(GetCapture(), window);
    SendMouse(window, WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(downs, (std::vector<TMouseButton>{mbRight, mbMiddle}));
}

TEST_F(ShapedWindow, EnterAndLeaveFollowTheMouseAndClearABusyCursor) {
    TKelForm form(nullptr);
    form.SetBounds(200, 200, 50, 50);
    form.Show();
    int enters = 0, leaves = 0;
    TCursor cursorWhenLeaving = crHourGlass;
    form.OnMouseEnter = [&](TComponent&) { ++enters; };
    form.OnMouseLeave = [&](TComponent&) {
        cursorWhenLeaving = Application().ScreenCursor();
        ++leaves;
    };
    SetCursorPos(210, 210);
    Application().UpdateMouseControl();
    EXPECT_EQ(enters, 1);

    Application().SetScreenCursor(crHourGlass);
    SendMouse(WindowOf(form), WM_MOUSEMOVE, 10, 10);
    EXPECT_EQ(Application().ScreenCursor(), crDefault);
    EXPECT_EQ(enters, 1);

    Application().SetScreenCursor(crHourGlass);
    SetCursorPos(2, 2);
    Application().UpdateMouseControl();
    EXPECT_EQ(leaves, 1);
    EXPECT_EQ(cursorWhenLeaving, crDefault);
}

TEST(WindowLookup, AWindowOfAnotherProcessIsNeverTakenForOurs) {
    // The desktop window belongs to another process; a property on it with
    // our name holds an address that means nothing here.
    HWND desktop = GetDesktopWindow();
    DWORD process = 0;
    GetWindowThreadProcessId(desktop, &process);
    ASSERT_NE(process, GetCurrentProcessId());
    ASSERT_TRUE(SetPropW(desktop, L"KelControl", reinterpret_cast<HANDLE>(0x1234)));
    EXPECT_EQ(TWinControl::FromHandle(desktop), nullptr);
    RemovePropW(desktop, L"KelControl");
}

TEST_F(ShapedWindow, DestroyingAFormAnnouncesNothing) {
    int changes = 0;
    {
        TKelForm form(nullptr);
        ApplyWizardSkin(form);
        form.OnChange = [&](TComponent&) { ++changes; };
    }
    EXPECT_EQ(changes, 0);
}

}  // namespace
