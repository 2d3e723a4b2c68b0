#pragma once
// Blending a foreground pixel F over a background pixel B with F's alpha
// as weight, and over whole rows. Two sets of routines with different
// rounding exist; the set is chosen once at start from the processor's features.
#include <cstdint>
#include <vector>

#include "skin/Color32.h"

struct TBlendRoutines {
    const char* Name;
    TColor32 (*BlendPixel)(TColor32 f, TColor32 b);
    TColor32 (*BlendPixelMaster)(TColor32 f, TColor32 b, uint8_t master);
    void (*BlendRow)(const TColor32* source, TColor32* target, int32_t count);
    void (*BlendRowMaster)(const TColor32* source, TColor32* target, int32_t count, uint8_t master);
};

// Each channel (F x Fa + B x (256 - Fa) + 128) >> 8, in packed-integer registers:
// the widest the processor has first, all giving the same results; none
// when the processor has no such instructions.
std::vector<const TBlendRoutines*> VectorBlendVariants();
// Each channel ((F x Fa + 128) >> 8) + ((B x (255 - Fa) + 128) >> 8), plain integers.
const TBlendRoutines& ScalarBlendRoutines();
// The set chosen at start: the vector one when the processor has it.
const TBlendRoutines& ActiveBlendRoutines();

inline TColor32 BlendPixel(TColor32 f, TColor32 b) { return ActiveBlendRoutines().BlendPixel(f, b); }
inline TColor32 BlendPixelMaster(TColor32 f, TColor32 b, uint8_t master) {
    return ActiveBlendRoutines().BlendPixelMaster(f, b, master);
}
inline void BlendRow(const TColor32* source, TColor32* target, int32_t count) {
    ActiveBlendRoutines().BlendRow(source, target, count);
}
inline void BlendRowMaster(const TColor32* source, TColor32* target, int32_t count, uint8_t master) {
    ActiveBlendRoutines().BlendRowMaster(source, target, count, master);
}
