#include "skin/Bitmap32.h"

#include <algorithm>
#include <cstring>

#include "skin/Transfers.h"

namespace {

// Guards the lock counts of every bitmap.
platform::TRecursiveLock gLockCountSection;

}  // namespace

// --- TThreadPersistent

void TThreadPersistent::Lock() {
    {
        std::lock_guard guard(gLockCountSection);
        ++lockCount_;
    }
    section_.lock();
}

void TThreadPersistent::Unlock() {
    section_.unlock();
    std::lock_guard guard(gLockCountSection);
    --lockCount_;
}

void TThreadPersistent::Changed() {
    if (updateCount_ == 0 && OnChange) OnChange(*this);
}

// --- TCustomMap

void TCustomMap::Resized() {
    if (OnResize) OnResize(*this);
}

bool TCustomMap::SetSize(int32_t width, int32_t height) {
    if (width < 1 || height < 1) width = height = 0;
    if (width == Width() && height == Height()) return false;
    StoreSize(width, height);
    Changed();
    Resized();
    return true;
}

// --- TBitmap32: storage

TBitmap32::~TBitmap32() {
    Lock();
    SetSize(0, 0);
    Unlock();
}

bool TBitmap32::SetSize(int32_t width, int32_t height) {
    // A bitmap without pixels has no size at all.
    if (width < 1 || height < 1) width = height = 0;
    if (width == Width() && height == Height()) return false;
    ReleaseStorage();
    try {
        if (width > 0 && height > 0) AllocateStorage(width, height);
    } catch (...) {
        Changed();
        Resized();
        throw;
    }
    Changed();
    Resized();
    return true;
}

void TBitmap32::ReleaseStorage() {
    surface_.Release();
    StoreSize(0, 0);
}

void TBitmap32::AllocateStorage(int32_t width, int32_t height) {
    switch (surface_.Allocate(width, height)) {
        case platform::TSurfaceResult::Ready: break;
        case platform::TSurfaceResult::NoPixels: throw EBitmapError("Can't allocate the DIB handle");
        case platform::TSurfaceResult::NoContext: throw EBitmapError("Can't create compatible DC");
        case platform::TSurfaceResult::NotSelectable: throw EBitmapError("Can't select an object into DC");
    }
    StoreSize(width, height);
}

// --- fills

void TBitmap32::Clear(TColor32 color) {
    if (Empty()) return;
    surface_.Flush();
    std::fill_n(Pixels(), int64_t(Width()) * Height(), color);
    Changed();
}

void TBitmap32::FillRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, TColor32 color) {
    surface_.Flush();
    for (int32_t y = y1; y < y2; ++y) std::fill(RowStart(y) + x1, RowStart(y) + x2, color);
    Changed();
}

void TBitmap32::FillRectClipped(int32_t x1, int32_t y1, int32_t x2, int32_t y2, TColor32 color) {
    const TRect clipped = IntersectRect(TRect{x1, y1, x2, y2}, BoundsRect());
    if (clipped.IsEmpty()) return;
    FillRect(clipped.Left, clipped.Top, clipped.Right, clipped.Bottom, color);
}

void TBitmap32::MakeOpaque() {
    surface_.Flush();
    TColor32* p = Pixels();
    const int64_t count = int64_t(Width()) * Height();
    for (int64_t i = 0; i < count; ++i) p[i] |= 0xFF000000;
    Changed();
}

// --- copies

void TBitmap32::CopySettingsFrom(const TBitmap32& source) {
    drawMode_ = source.drawMode_;
    masterAlpha_ = source.masterAlpha_;
    outerColor_ = source.outerColor_;
    stretchFilter_ = source.stretchFilter_;
}

void TBitmap32::CopyFrom(const TBitmap32* source) {
    if (source == this) return;
    {
        TUpdateBracket bracket(*this);
        if (!source) {
            SetSize(0, 0);
        } else {
            SetSize(source->Width(), source->Height());
            if (!Empty()) {
                source->surface_.Flush();
                std::memcpy(Pixels(), source->Pixels(), size_t(Width()) * Height() * sizeof(TColor32));
            }
            CopySettingsFrom(*source);
        }
    }
    Changed();
}

void TBitmap32::CopyFrom(const TDecodedPicture& picture) {
    {
        TUpdateBracket bracket(*this);
        SetSize(picture.Width, picture.Height);
        if (!Empty()) {
            std::memcpy(Pixels(), picture.Pixels.data(), size_t(Width()) * Height() * sizeof(TColor32));
            if (!picture.HasAlpha) MakeOpaque();
        }
    }
    Changed();
}

// --- drawing

void TBitmap32::Draw(int32_t x, int32_t y, const TBitmap32& source) {
    if (Empty() || source.Empty()) return;
    BlockTransfer(*this, x, y, source, source.BoundsRect());
    Changed();
}

void TBitmap32::DrawTo(TBitmap32& destination) const { destination.Draw(0, 0, *this); }

void TBitmap32::DrawTo(TBitmap32& destination, const TRect& destinationRect) const {
    DrawTo(destination, destinationRect, BoundsRect());
}

void TBitmap32::DrawTo(TBitmap32& destination, const TRect& destinationRect,
                       const TRect& sourceRect) const {
    if (Empty() || destination.Empty()) return;
    StretchTransfer(destination, destinationRect, *this, sourceRect);
    destination.Changed();
}

void TBitmap32::DrawTo(platform::TDeviceContext context, int32_t x, int32_t y) const {
    DrawTo(context, x, y, BoundsRect());
}

void TBitmap32::DrawTo(platform::TDeviceContext context, int32_t x, int32_t y, const TRect& sourceRect) const {
    surface_.CopyToDevice(context, x, y, sourceRect);
}

// --- settings

void TBitmap32::SetDrawMode(TDrawMode mode) {
    if (mode == drawMode_) return;
    drawMode_ = mode;
    Changed();
}

void TBitmap32::SetMasterAlpha(uint8_t alpha) {
    if (alpha == masterAlpha_) return;
    masterAlpha_ = alpha;
    Changed();
}

void TBitmap32::SetStretchFilter(TStretchFilter filter) {
    if (filter == stretchFilter_) return;
    stretchFilter_ = filter;
    Changed();
}

// --- alpha from brightness

void AlphaFromIntensity(TBitmap32* destination, const TBitmap32* source) {
    if (!destination) throw EBitmapError("Destination is nil");
    if (!source) throw EBitmapError("The source is nil");
    destination->SetSize(source->Width(), source->Height());
    const int64_t count = int64_t(source->Width()) * source->Height();
    TColor32* out = destination->Pixels();
    const TColor32* in = source->Pixels();
    for (int64_t i = 0; i < count; ++i) out[i] = SetAlpha(out[i], Intensity(in[i]));
    destination->Changed();
}
