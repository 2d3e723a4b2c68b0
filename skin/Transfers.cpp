#include "skin/Transfers.h"

#include <cstdlib>
#include <cstring>

#include "skin/Bitmap32.h"
#include "skin/Blend.h"

namespace {

constexpr int64_t kOne = 65536;  // 1.0 in 16.16 fixed point

void CheckBitmaps(const TBitmap32& destination, const TBitmap32& source) {
    if (destination.Empty()) throw EBitmapError("Destination bitmap is nil or empty");
    if (source.Empty()) throw EBitmapError("Source bitmap is nil or empty");
}

// A custom mode without a combiner draws as an opaque copy.
TDrawMode EffectiveMode(const TBitmap32& source) {
    if (source.DrawMode() == dmCustom && !source.OnPixelCombine) return dmOpaque;
    return source.DrawMode();
}

// Where the source rectangle lands when its corner goes to (x, y), clipped
// to both bitmaps; Left and Top of `from` give the first source pixel.
struct TPlacement {
    TRect To;
    TRect From;
};

bool Place(const TBitmap32& destination, int32_t x, int32_t y, const TBitmap32& source,
           const TRect& sourceRect, TPlacement& placement) {
    const TRect from = IntersectRect(sourceRect, source.BoundsRect());
    const TRect moved = OffsetRect(from, x - sourceRect.Left, y - sourceRect.Top);
    placement.To = IntersectRect(moved, destination.BoundsRect());
    if (placement.To.IsEmpty()) return false;
    placement.From = OffsetRect(placement.To, from.Left - moved.Left, from.Top - moved.Top);
    return true;
}

void CopyRows(TBitmap32& destination, const TBitmap32& source, const TPlacement& p) {
    const size_t bytes = size_t(p.To.Width()) * sizeof(TColor32);
    const int32_t rows = p.To.Height();
    // Copying within one bitmap downwards must start at the bottom row.
    const bool upwards = &destination == &source && p.To.Top > p.From.Top;
    for (int32_t i = 0; i < rows; ++i) {
        const int32_t r = upwards ? rows - 1 - i : i;
        std::memmove(destination.RowStart(p.To.Top + r) + p.To.Left,
                     source.RowStart(p.From.Top + r) + p.From.Left, bytes);
    }
}

void BlendRows(TBitmap32& destination, const TBitmap32& source, const TPlacement& p) {
    const uint8_t master = source.MasterAlpha();
    for (int32_t r = 0; r < p.To.Height(); ++r) {
        const TColor32* in = source.RowStart(p.From.Top + r) + p.From.Left;
        TColor32* out = destination.RowStart(p.To.Top + r) + p.To.Left;
        if (master == 255)
            BlendRow(in, out, p.To.Width());
        else
            BlendRowMaster(in, out, p.To.Width(), master);
    }
}

void CombineRows(TBitmap32& destination, const TBitmap32& source, const TPlacement& p) {
    const TColor32 master = source.MasterAlpha();
    for (int32_t r = 0; r < p.To.Height(); ++r) {
        const TColor32* in = source.RowStart(p.From.Top + r) + p.From.Left;
        TColor32* out = destination.RowStart(p.To.Top + r) + p.To.Left;
        for (int32_t i = 0; i < p.To.Width(); ++i) source.OnPixelCombine(in[i], out[i], master);
    }
}

void TransferWithMode(TBitmap32& destination, int32_t x, int32_t y, const TBitmap32& source,
                      const TRect& sourceRect, TDrawMode mode) {
    if (mode == dmBlend && source.MasterAlpha() == 0) return;
    TPlacement placement;
    if (!Place(destination, x, y, source, sourceRect, placement)) return;
    switch (mode) {
        case dmOpaque: CopyRows(destination, source, placement); break;
        case dmBlend: BlendRows(destination, source, placement); break;
        case dmCustom: CombineRows(destination, source, placement); break;
    }
}

// The 16.16 walk over the source for one axis of a stretch.
struct TAxisWalk {
    int64_t Start;
    int64_t Step;
};

TAxisWalk CopyWalk(int32_t clippedOffset, int32_t sourceSize, int32_t targetSize) {
    const int64_t start =
        targetSize == 1 ? 0 : MulDivRound(int64_t(clippedOffset) * (sourceSize - 1), 65535, targetSize - 1);
    return TAxisWalk{start, sourceSize * kOne / targetSize};
}

TAxisWalk BlendWalk(int32_t clippedOffset, int32_t sourceSize, int32_t targetSize) {
    return TAxisWalk{MulDivRound(int64_t(sourceSize) * clippedOffset, 65535, targetSize),
                     sourceSize * kOne / targetSize};
}

// Calls put(target pixel, source pixel) for every pixel of the clipped target.
template <class Put>
void WalkNearest(TBitmap32& destination, const TRect& clipped, const TBitmap32& source,
                 const TRect& sourceRect, TAxisWalk walkX, TAxisWalk walkY, Put put) {
    int64_t y16 = walkY.Start;
    for (int32_t y = clipped.Top; y < clipped.Bottom; ++y, y16 += walkY.Step) {
        const TColor32* in = source.RowStart(sourceRect.Top + int32_t(y16 >> 16)) + sourceRect.Left;
        TColor32* out = destination.RowStart(y);
        int64_t x16 = walkX.Start;
        for (int32_t x = clipped.Left; x < clipped.Right; ++x, x16 += walkX.Step)
            put(out[x], in[x16 >> 16]);
    }
}

void NearestCopy(TBitmap32& destination, const TRect& d, const TBitmap32& source, const TRect& s) {
    const TRect c = IntersectRect(d, destination.BoundsRect());
    if (c.IsEmpty()) return;
    if (d.Width() == s.Width() && d.Height() == s.Height()) {
        TransferWithMode(destination, d.Left, d.Top, source, s, dmOpaque);
        return;
    }
    WalkNearest(destination, c, source, s, CopyWalk(c.Left - d.Left, s.Width(), d.Width()),
                CopyWalk(c.Top - d.Top, s.Height(), d.Height()),
                [](TColor32& out, TColor32 in) { out = in; });
}

void NearestBlend(TBitmap32& destination, const TRect& d, const TBitmap32& source, const TRect& s,
                  TDrawMode mode) {
    const uint8_t master = source.MasterAlpha();
    if (master == 0) return;
    const TRect c = IntersectRect(d, destination.BoundsRect());
    if (c.IsEmpty()) return;
    if (d.Width() == s.Width() && d.Height() == s.Height()) {
        TransferWithMode(destination, d.Left, d.Top, source, s, mode);
        return;
    }
    const TAxisWalk walkX = BlendWalk(c.Left - d.Left, s.Width(), d.Width());
    const TAxisWalk walkY = BlendWalk(c.Top - d.Top, s.Height(), d.Height());
    if (mode == dmCustom) {
        const TPixelCombineEvent& combine = source.OnPixelCombine;
        WalkNearest(destination, c, source, s, walkX, walkY,
                    [&](TColor32& out, TColor32 in) { combine(in, out, master); });
    } else if (master == 255) {
        WalkNearest(destination, c, source, s, walkX, walkY,
                    [](TColor32& out, TColor32 in) { out = BlendPixel(in, out); });
    } else {
        WalkNearest(destination, c, source, s, walkX, walkY,
                    [=](TColor32& out, TColor32 in) { out = BlendPixelMaster(in, out, master); });
    }
}

}  // namespace

int64_t MulDivRound(int64_t a, int64_t b, int64_t c) {
    if (c == 0) return -1;
    const int64_t product = a * b;
    int64_t quotient = product / c;
    const int64_t remainder = product % c;
    if (2 * std::llabs(remainder) >= std::llabs(c)) quotient += (product < 0) != (c < 0) ? -1 : 1;
    return quotient;
}

void BlockTransfer(TBitmap32& destination, int32_t x, int32_t y, const TBitmap32& source,
                   const TRect& sourceRect) {
    CheckBitmaps(destination, source);
    TransferWithMode(destination, x, y, source, sourceRect, EffectiveMode(source));
}

// Only the nearest-pixel filter exists: the others draw like it.
void StretchTransfer(TBitmap32& destination, const TRect& destinationRect, const TBitmap32& source,
                     const TRect& sourceRect) {
    CheckBitmaps(destination, source);
    if (sourceRect.IsEmpty() || destinationRect.IsEmpty()) return;
    if (sourceRect.Left < 0 || sourceRect.Top < 0 || sourceRect.Right > source.Width() ||
        sourceRect.Bottom > source.Height())
        throw EBitmapError("Source rectangle is invalid");
    const TDrawMode mode = EffectiveMode(source);
    if (mode == dmOpaque)
        NearestCopy(destination, destinationRect, source, sourceRect);
    else
        NearestBlend(destination, destinationRect, source, sourceRect, mode);
}
