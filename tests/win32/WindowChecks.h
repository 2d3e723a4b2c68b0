#pragma once
// Reading back what a real window shows and is: its outline and its pixels,
// and handing it messages as the system would.
#include <windows.h>

#include <cstdint>

#include "platform/ui/Application.h"
#include "platform/ui/WinControl.h"

inline HWND WindowOf(TWinControl& control) { return static_cast<HWND>(control.Handle()); }

// Whether the window's outline holds the point; a window without an outline holds all of it.
inline bool OutlineContains(HWND window, int32_t x, int32_t y) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetWindowRgn(window, region);
    const bool inside = kind == ERROR ? true : PtInRegion(region, x, y) != FALSE;
    DeleteObject(region);
    return inside;
}

// Whether the window's outline holds exactly the pixels of the given region
// (which is freed) within width x height. Pixel by pixel: the system may
// keep the same set of pixels as a different list of rectangles.
inline bool OutlineEquals(HWND window, HRGN expected, int32_t width, int32_t height) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    bool equal = GetWindowRgn(window, region) != ERROR;
    for (int32_t y = -1; equal && y <= height; ++y)
        for (int32_t x = -1; equal && x <= width; ++x)
            equal = (PtInRegion(region, x, y) != FALSE) == (PtInRegion(expected, x, y) != FALSE);
    DeleteObject(region);
    DeleteObject(expected);
    return equal;
}

inline bool HasOutline(HWND window) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const bool has = GetWindowRgn(window, region) != ERROR;
    DeleteObject(region);
    return has;
}

// Sends a mouse message with client coordinates and key state.
inline void SendMouse(HWND window, UINT message, int32_t x, int32_t y, WPARAM keys = 0) {
    SendMessageW(window, message, keys, MAKELPARAM(x, y));
}

// A key pressed and released in the window, posted as the keyboard would.
inline void PostKeyTo(HWND window, WPARAM key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

// A click of a push button, posted so that it lands inside a modal loop.
inline void PostButtonClick(TWinControl& button) { PostMessageW(WindowOf(button), BM_CLICK, 0, 0); }

// Lets the window handle what is queued for it (paints, posted messages).
inline void Pump() { Application().ProcessMessages(); }
