#pragma once
// Transfers of pixels between bitmaps with the source's draw mode:
// a block transfer at the same size and a nearest-pixel stretch transfer.
// They check their bitmaps, but announce nothing: callers do.
#include <cstdint>

#include "platform/Rect.h"

class TBitmap32;

// a x b / c in 64 bits, rounded to nearest with halves away from zero; -1 when c is 0.
int64_t MulDivRound(int64_t a, int64_t b, int64_t c);

// Transfers the source rectangle to (x, y) of the destination, clipped.
void BlockTransfer(TBitmap32& destination, int32_t x, int32_t y, const TBitmap32& source,
                   const TRect& sourceRect);

// Transfers the source rectangle stretched to the destination rectangle, clipped.
void StretchTransfer(TBitmap32& destination, const TRect& destinationRect, const TBitmap32& source,
                     const TRect& sourceRect);
