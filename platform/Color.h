#pragma once
// The window colour: 0x00BBGGRR, or a negative value naming a system colour
// by the index in its low byte.
#include <cstdint>

using TColor = int32_t;

constexpr TColor SystemColor(int index) { return TColor(0x80000000u | uint32_t(index)); }

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnText = SystemColor(18);

// The colour as 0x00BBGGRR, a system colour resolved.
uint32_t ColorToRGB(TColor color);
