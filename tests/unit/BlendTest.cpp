// Both sets of blend routines against plain per-channel formulas, over every
// alpha and a broad sample of colours, single pixels and rows alike.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "skin/Blend.h"
#include "skin/ProcessorFeatures.h"

namespace {

uint32_t Channel(TColor32 c, int shift) { return (c >> shift) & 0xFF; }

TColor32 PerChannel(TColor32 f, TColor32 b, uint32_t (*mix)(uint32_t, uint32_t, uint32_t), uint32_t w) {
    TColor32 out = 0;
    for (int shift = 0; shift < 32; shift += 8) out |= (mix(Channel(f, shift), Channel(b, shift), w) & 0xFF) << shift;
    return out;
}

uint32_t VectorMix(uint32_t f, uint32_t b, uint32_t w) { return (f * w + b * (256 - w) + 128) >> 8; }
uint32_t ScalarMix(uint32_t f, uint32_t b, uint32_t w) { return ((f * w + 128) >> 8) + ((b * (255 - w) + 128) >> 8); }

using TMix = uint32_t (*)(uint32_t, uint32_t, uint32_t);

template <TMix Mix>
TColor32 Reference(TColor32 f, TColor32 b) {
    const uint32_t fa = f >> 24;
    if (fa == 0) return b;
    if (fa == 255) return f;
    return PerChannel(f, b, Mix, fa);
}

// The scalar set drops the alpha of results weighted by a master alpha.
template <TMix Mix, TColor32 KeptChannels>
TColor32 MasterReference(TColor32 f, TColor32 b, uint32_t m) {
    const uint32_t w = ((f >> 24) * m) >> 8;
    return w == 0 ? b : PerChannel(f, b, Mix, w) & KeptChannels;
}

struct TVariant {
    const TBlendRoutines* Routines;
    TColor32 (*Reference)(TColor32, TColor32);
    TColor32 (*MasterReference)(TColor32, TColor32, uint32_t);
};

std::vector<TVariant> AllVariants() {
    std::vector<TVariant> all;
    for (const TBlendRoutines* r : VectorBlendVariants()) all.push_back({r, Reference<VectorMix>, MasterReference<VectorMix, 0xFFFFFFFF>});
    all.push_back({&ScalarBlendRoutines(), Reference<ScalarMix>, MasterReference<ScalarMix, 0x00FFFFFF>});
    return all;
}

// Colours with every alpha, extremes of each channel and random ones.
std::vector<TColor32> SampleColours(std::mt19937& random) {
    std::vector<TColor32> colours;
    const uint32_t extremes[] = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0x808080, 0x7F7F7F, 0x010101};
    for (uint32_t a = 0; a < 256; ++a) {
        colours.push_back(a << 24 | extremes[a % 8]);
        colours.push_back(a << 24 | (random() & 0xFFFFFF));
    }
    return colours;
}

}  // namespace

TEST(Blend, KnownResultsOfBothVariants) {
    for (const TBlendRoutines* vector : VectorBlendVariants()) {
        SCOPED_TRACE(vector->Name);
        EXPECT_EQ(vector->BlendPixel(0x80FF0000, 0xFF0000FF), 0xC0800080u);
    }
    EXPECT_EQ(ScalarBlendRoutines().BlendPixel(0x80FF0000, 0xFF0000FF), 0xBF80007Fu);
}

TEST(Blend, OpaqueForegroundIsCopiedAndTransparentOneLeavesTheBackground) {
    for (const TVariant& v : AllVariants()) {
        SCOPED_TRACE(v.Routines->Name);
        EXPECT_EQ(v.Routines->BlendPixel(0xFF123456, 0x00FFFFFF), 0xFF123456u);
        EXPECT_EQ(v.Routines->BlendPixel(0x00123456, 0x80FEDCBA), 0x80FEDCBAu);
        EXPECT_EQ(v.Routines->BlendPixelMaster(0x00123456, 0x80FEDCBA, 255), 0x80FEDCBAu);
        EXPECT_EQ(v.Routines->BlendPixelMaster(0xFF123456, 0x80FEDCBA, 0), 0x80FEDCBAu);
    }
}

TEST(Blend, PixelsMatchTheFormulasOverEveryAlpha) {
    std::mt19937 random(7);
    const std::vector<TColor32> colours = SampleColours(random);
    const uint32_t masters[] = {0, 1, 2, 127, 128, 200, 254, 255};
    for (const TVariant& v : AllVariants()) {
        SCOPED_TRACE(v.Routines->Name);
        int mismatches = 0;
        for (TColor32 f : colours)
            for (size_t i = 0; i < colours.size(); i += 7) {
                const TColor32 b = colours[i];
                mismatches += v.Routines->BlendPixel(f, b) != v.Reference(f, b);
                for (uint32_t m : masters)
                    mismatches += v.Routines->BlendPixelMaster(f, b, uint8_t(m)) != v.MasterReference(f, b, m);
            }
        EXPECT_EQ(mismatches, 0);
    }
}

TEST(Blend, RowsOfEveryLengthAndOffsetMatchThePixelFormula) {
    std::mt19937 random(11);
    const std::vector<TColor32> colours = SampleColours(random);
    for (const TVariant& v : AllVariants()) {
        SCOPED_TRACE(v.Routines->Name);
        for (int32_t count = 0; count <= 37; ++count)
            for (int32_t offset = 0; offset < 3; ++offset) {
                std::vector<TColor32> source(count + offset), target(count + offset), expected;
                for (auto& c : source) c = colours[random() % colours.size()];
                for (auto& c : target) c = colours[random() % colours.size()];
                // Runs of fully transparent and fully opaque pixels reach the row shortcuts.
                if (count >= 16)
                    for (int32_t i = 0; i < 8; ++i) source[offset + i] = (i < 4 ? 0x00000000u : 0xFF000000u) | (random() & 0xFFFFFF);
                const uint8_t master = uint8_t(random());
                std::vector<TColor32> masterTarget = target;
                expected = target;
                for (int32_t i = offset; i < count + offset; ++i) expected[i] = v.Reference(source[i], target[i]);
                v.Routines->BlendRow(source.data() + offset, target.data() + offset, count);
                ASSERT_EQ(target, expected) << "count " << count << " offset " << offset;
                expected = masterTarget;
                for (int32_t i = offset; i < count + offset; ++i)
                    expected[i] = v.MasterReference(source[i], masterTarget[i], master);
                v.Routines->BlendRowMaster(source.data() + offset, masterTarget.data() + offset, count, master);
                ASSERT_EQ(masterTarget, expected) << "count " << count << " master " << int(master);
            }
    }
}

TEST(Blend, TheVectorRoutinesAreChosenWhenTheProcessorHasThem) {
    const auto vector = VectorBlendVariants();
    if (HostProcessor().Vector128) {
        ASSERT_FALSE(vector.empty());
        EXPECT_EQ(&ActiveBlendRoutines(), vector.front());
        EXPECT_EQ(BlendPixel(0x80FF0000, 0xFF0000FF), 0xC0800080u);
    } else {
        EXPECT_EQ(&ActiveBlendRoutines(), &ScalarBlendRoutines());
    }
}
