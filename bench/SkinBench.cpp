// Speed of the skin's pixel work against standard tools, in one run:
//  - blending a 1920 x 1080 picture row by row (BlendRow) against pixman's
//    OVER compositing of the same size and a plain copy of the same bytes;
//  - the outline of a 1920 x 1080 skin (BitmapToRegion) against one plain
//    pass over its pixels.
// Prints Mpixel/s, best of several rounds, and the ratios.
#include <pixman.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "skin/Bitmap32.h"
#include "skin/BitmapToRegion.h"
#include "skin/Blend.h"

namespace {

constexpr int32_t kWidth = 1920;
constexpr int32_t kHeight = 1080;
constexpr double kPixels = double(kWidth) * kHeight;

// Best time of `rounds` runs of `work`, in seconds.
double BestSeconds(int rounds, const std::function<void()>& work) {
    double best = 1e9;
    for (int i = 0; i < rounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

double Mpixels(double seconds, int repeats) { return kPixels * repeats / seconds / 1e6; }

// Pixels whose alpha spreads over every value: no shortcut applies.
std::vector<uint32_t> NoisePicture(uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<uint32_t> pixels(size_t(kWidth) * kHeight);
    for (uint32_t& p : pixels) {
        const uint32_t a = random() & 0xFF;
        const uint32_t rgb = random() & 0xFFFFFF;
        // Premultiplied, so that both libraries see a valid picture.
        const uint32_t r = ((rgb >> 16 & 0xFF) * a) / 255, g = ((rgb >> 8 & 0xFF) * a) / 255, b = ((rgb & 0xFF) * a) / 255;
        p = a << 24 | r << 16 | g << 8 | b;
    }
    return pixels;
}

// A skin: an opaque rounded body with a soft edge and a few holes, transparent around it.
void PaintSkin(TBitmap32& skin) {
    skin.SetSize(kWidth, kHeight);
    const double cx = kWidth / 2.0, cy = kHeight / 2.0, rx = kWidth * 0.47, ry = kHeight * 0.45;
    for (int32_t y = 0; y < kHeight; ++y)
        for (int32_t x = 0; x < kWidth; ++x) {
            const double dx = (x - cx) / rx, dy = (y - cy) / ry;
            const double d = std::sqrt(dx * dx + dy * dy);
            uint32_t a = d < 0.98 ? 255 : d < 1.0 ? uint32_t((1.0 - d) / 0.02 * 255) : 0;
            if ((x / 120 + y / 90) % 7 == 0 && x % 120 > 20 && x % 120 < 60) a = 0;  // holes
            skin.SetPixel(x, y, a << 24 | uint32_t(x & 0xFF) << 8 | uint32_t(y & 0xFF));
        }
}

struct TBlendFigures {
    double Ours, Pixman, Copy;
};

TBlendFigures MeasureBlending(const TBlendRoutines& routines, const std::vector<uint32_t>& source, int rounds,
                              int repeats) {
    std::vector<uint32_t> target(source.size()), copyTarget(source.size());
    const std::vector<uint32_t> background = NoisePicture(99);
    target = background;
    const double ours = BestSeconds(rounds, [&] {
        for (int r = 0; r < repeats; ++r)
            for (int32_t y = 0; y < kHeight; ++y)
                routines.BlendRow(source.data() + size_t(y) * kWidth, target.data() + size_t(y) * kWidth, kWidth);
    });

    std::vector<uint32_t> pixmanTarget = background;
    pixman_image_t* src = pixman_image_create_bits(PIXMAN_a8r8g8b8, kWidth, kHeight,
                                                   const_cast<uint32_t*>(source.data()), kWidth * 4);
    pixman_image_t* dst = pixman_image_create_bits(PIXMAN_a8r8g8b8, kWidth, kHeight, pixmanTarget.data(), kWidth * 4);
    const double pixman = BestSeconds(rounds, [&] {
        for (int r = 0; r < repeats; ++r)
            pixman_image_composite32(PIXMAN_OP_OVER, src, nullptr, dst, 0, 0, 0, 0, 0, 0, kWidth, kHeight);
    });
    pixman_image_unref(src);
    pixman_image_unref(dst);

    const double copy = BestSeconds(rounds, [&] {
        for (int r = 0; r < repeats; ++r) std::memcpy(copyTarget.data(), source.data(), source.size() * 4);
    });
    return {Mpixels(ours, repeats), Mpixels(pixman, repeats), Mpixels(copy, repeats)};
}

void ReportBlending(const char* picture, const TBlendRoutines& routines, const TBlendFigures& f) {
    std::printf("blend %-6s  BlendRow (%s) %8.0f Mpixel/s   pixman OVER %8.0f Mpixel/s   copy %8.0f Mpixel/s\n",
                picture, routines.Name, f.Ours, f.Pixman, f.Copy);
    std::printf("             BlendRow / pixman = %.2f (target >= 1.00)   BlendRow / copy = %.2f\n",
                f.Ours / f.Pixman, f.Ours / f.Copy);
}

// One plain pass: reads every pixel once and counts those above the threshold.
size_t PlainPass(const TBitmap32& skin, uint32_t threshold) {
    size_t inside = 0;
    for (int32_t y = 0; y < skin.Height(); ++y) {
        const TColor32* row = skin.RowStart(y);
        for (int32_t x = 0; x < skin.Width(); ++x) inside += (row[x] >> 24) > threshold;
    }
    return inside;
}

void ReportOutline(int rounds) {
    TBitmap32 skin;
    PaintSkin(skin);
    volatile size_t sink = 0;
    const double outline = BestSeconds(rounds, [&] { sink = sink + BitmapToRegion(skin, 100).Valid(); });
    const double plain = BestSeconds(rounds, [&] { sink = sink + PlainPass(skin, 100); });
    std::printf("outline      BitmapToRegion %.2f ms (%zu rectangles)   plain pass %.2f ms\n", outline * 1e3,
                OutlineRectangles(skin, 100).Count(), plain * 1e3);
    std::printf("             BitmapToRegion / plain pass = %.2f (target <= 2.00)\n", outline / plain);
}

}  // namespace

// Every blend variant the processor has, the one chosen at start first.
std::vector<const TBlendRoutines*> Variants() {
    std::vector<const TBlendRoutines*> all{&ActiveBlendRoutines()};
    for (const TBlendRoutines* r : VectorBlendVariants())
        if (r != all.front()) all.push_back(r);
    if (all.front() != &ScalarBlendRoutines()) all.push_back(&ScalarBlendRoutines());
    return all;
}

int main() {
    std::printf("blend routines chosen at start: %s\n", ActiveBlendRoutines().Name);
    const std::vector<uint32_t> noise = NoisePicture(1);
    TBitmap32 skin;
    PaintSkin(skin);
    const std::vector<uint32_t> skinPixels(skin.Pixels(), skin.Pixels() + size_t(kWidth) * kHeight);
    for (const TBlendRoutines* routines : Variants()) {
        ReportBlending("noise", *routines, MeasureBlending(*routines, noise, 7, 4));
        ReportBlending("skin", *routines, MeasureBlending(*routines, skinPixels, 7, 4));
    }
    ReportOutline(15);
    return 0;
}
