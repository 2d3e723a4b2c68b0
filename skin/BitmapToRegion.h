#pragma once
// The outline of a picture: the pixels whose alpha is above a threshold,
// as one rectangle per horizontal run, row by row, left to right.
#include <cstdint>

#include "platform/Region.h"

class TBitmap32;

// The rectangles alone. A pixel is inside when
// (pixel AND 0xFF000000) > (threshold << 24), compared unsigned.
platform::TRegionRects OutlineRectangles(const TBitmap32& bitmap, int32_t threshold);

// The outline as a region the caller owns. The bitmap must not be empty.
platform::TRegion BitmapToRegion(const TBitmap32& bitmap, int32_t threshold);
