// The blend routines for processors without packed-integer instructions.
// Each product is rounded on its own, so results can be one below the
// vector routines' (0x80FF0000 over 0xFF0000FF gives 0xBF80007F).
#include "skin/Blend.h"

namespace {

uint32_t MixChannel(uint32_t f, uint32_t b, uint32_t weight) {
    return ((f * weight + 128) >> 8) + ((b * (255 - weight) + 128) >> 8);
}

TColor32 Mix(TColor32 f, TColor32 b, uint32_t weight, uint32_t alpha) {
    return alpha << 24 | MixChannel(RedOf(f), RedOf(b), weight) << 16 |
           MixChannel(GreenOf(f), GreenOf(b), weight) << 8 | MixChannel(BlueOf(f), BlueOf(b), weight);
}

TColor32 ScalarBlendPixel(TColor32 f, TColor32 b) {
    const uint32_t fa = AlphaOf(f);
    if (fa == 0) return b;
    if (fa == 255) return f;
    return Mix(f, b, fa, MixChannel(fa, AlphaOf(b), fa));
}

// The alpha of the result is 0: this set never carried alpha through a master weight.
TColor32 ScalarBlendPixelMaster(TColor32 f, TColor32 b, uint8_t master) {
    const uint32_t weight = (AlphaOf(f) * uint32_t(master)) >> 8;
    if (weight == 0) return b;
    return Mix(f, b, weight, 0);
}

void ScalarBlendRow(const TColor32* source, TColor32* target, int32_t count) {
    for (int32_t i = 0; i < count; ++i) target[i] = ScalarBlendPixel(source[i], target[i]);
}

void ScalarBlendRowMaster(const TColor32* source, TColor32* target, int32_t count, uint8_t master) {
    for (int32_t i = 0; i < count; ++i) target[i] = ScalarBlendPixelMaster(source[i], target[i], master);
}

constexpr TBlendRoutines kScalar = {
    "scalar", ScalarBlendPixel, ScalarBlendPixelMaster, ScalarBlendRow, ScalarBlendRowMaster,
};

}  // namespace

const TBlendRoutines& ScalarBlendRoutines() { return kScalar; }
