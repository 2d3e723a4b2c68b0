#include "skin/SkinnedView.h"

TSkinFit FormSkinFit(TWindowShape shape) {
    if (shape == shAlphaMask) return TSkinFit::Stretch;
    return shape < shAlphaMask ? TSkinFit::Copy : TSkinFit::None;
}

platform::TRegion MakeWindowRegion(TWindowShape shape, int32_t width, int32_t height, int32_t roundCorner,
                                   const TBitmap32& bitmap, int32_t alphaThreshold) {
    const TRect whole{0, 0, width, height};
    switch (shape) {
        case shEllipse: return platform::TRegion::Ellipse(whole);
        case shRoundRect: return platform::TRegion::RoundRect(whole, roundCorner, roundCorner);
        case shNoRegion: return platform::TRegion();
        case shAlphaMask:
            if (bitmap.Empty()) return platform::TRegion::FromRect(whole);
            return BitmapToRegion(bitmap, alphaThreshold);
        default: return platform::TRegion::FromRect(whole);
    }
}

void RenderNineSlice(const TBitmap32& picture, const TRect& slice, TBitmap32& target, int32_t width, int32_t height) {
    const int32_t sw = picture.Width(), sh = picture.Height();
    const int32_t L = slice.Left, T = slice.Top, R = slice.Right, B = slice.Bottom;
    const int32_t dx = width - sw, dy = height - sh;
    target.SetSize(width, height);
    struct Piece { TRect source, destination; };
    const Piece pieces[] = {
        {{0, 0, L, T}, {0, 0, L, T}},
        {{L, 0, R, T}, {L, 0, R + dx, T}},
        {{R, 0, sw, T}, {R + dx, 0, width, T}},
        {{0, T, L, B}, {0, T, L, B + dy}},
        {{L, T, R, B}, {L, T, R + dx, B + dy}},
        {{R, T, sw, B}, {R + dx, T, width, B + dy}},
        {{0, B, L, sh}, {0, B + dy, L, height}},
        {{L, B, R, sh}, {L, B + dy, R + dx, height}},
        {{R, B, sw, sh}, {R + dx, B + dy, width, height}},
    };
    for (const Piece& piece : pieces) picture.DrawTo(target, piece.destination, piece.source);
}
