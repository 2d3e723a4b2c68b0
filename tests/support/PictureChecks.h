#pragma once
// Checks on decoded pictures shared by the decoder tests.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "platform/DecodedPicture.h"
#include "skin/Color32.h"

inline uint32_t At(const TDecodedPicture& picture, int x, int y) {
    return picture.Pixels.at(size_t(y) * picture.Width + x);
}

// An opaque pixel whose channels are each within the tolerance of the
// expected colour (lossy formats are off by a little).
inline testing::AssertionResult Near(uint32_t actual, uint32_t expected, int tolerance = 24) {
    const int dr = std::abs(RedOf(actual) - RedOf(expected)), dg = std::abs(GreenOf(actual) - GreenOf(expected)),
              db = std::abs(BlueOf(actual) - BlueOf(expected));
    if (AlphaOf(actual) == 255 && dr <= tolerance && dg <= tolerance && db <= tolerance)
        return testing::AssertionSuccess();
    char text[80];
    std::snprintf(text, sizeof text, "%08X is not near %08X", actual, expected);
    return testing::AssertionFailure() << text;
}
