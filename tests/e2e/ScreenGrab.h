#pragma once
// What the X display shows: a rectangle of the screen read into RGB pixels,
// and screenshots saved for people to look at.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Rect.h"

// 0x00RRGGBB.
using ScreenColor = uint32_t;

class ScreenImage {
public:
    ScreenImage(TRect area, std::vector<ScreenColor> pixels) : area_(area), pixels_(std::move(pixels)) {}

    // The screen rectangle the image shows.
    const TRect& Area() const { return area_; }
    // The pixel at a screen position inside Area().
    ScreenColor At(int32_t screenX, int32_t screenY) const {
        return pixels_[size_t(screenY - area_.Top) * area_.Width() + (screenX - area_.Left)];
    }

private:
    TRect area_;
    std::vector<ScreenColor> pixels_;
};

struct ScreenSize {
    int32_t Width = 0;
    int32_t Height = 0;
};

ScreenSize DisplaySize();
// Reads the screen rectangle; throws std::runtime_error when it cannot.
ScreenImage GrabScreen(const TRect& area);
// Saves the rectangle as an image file whose type follows the extension.
void SaveScreenshot(const std::string& path, const TRect& area);
