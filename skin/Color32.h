#pragma once
// The 32-bit ARGB pixel and its helpers.
#include <cstdint>

#include "platform/Color.h"

// 0xAARRGGBB: alpha in the top byte, 255 opaque.
using TColor32 = uint32_t;

constexpr TColor32 clBlack32 = 0xFF000000;

constexpr TColor32 MakeColor32(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) {
    return TColor32(a) << 24 | TColor32(r) << 16 | TColor32(g) << 8 | b;
}
constexpr uint8_t AlphaOf(TColor32 c) { return uint8_t(c >> 24); }
constexpr uint8_t RedOf(TColor32 c) { return uint8_t(c >> 16); }
constexpr uint8_t GreenOf(TColor32 c) { return uint8_t(c >> 8); }
constexpr uint8_t BlueOf(TColor32 c) { return uint8_t(c); }
constexpr TColor32 RgbOf(TColor32 c) { return c & 0x00FFFFFF; }

// Brightness 0..255 with weights 61, 174 and 21 of 256.
constexpr uint8_t Intensity(TColor32 c) {
    return uint8_t((RedOf(c) * 61u + GreenOf(c) * 174u + BlueOf(c) * 21u) >> 8);
}

// The colour with alpha a, clamped to 0..255.
constexpr TColor32 SetAlpha(TColor32 c, int a) {
    const uint32_t clamped = a < 0 ? 0 : a > 255 ? 255 : uint32_t(a);
    return RgbOf(c) | clamped << 24;
}

// Resolves a system colour, swaps red and blue, and makes the result opaque.
TColor32 ColorToColor32(TColor color);
