#pragma once
// The 32-bit ARGB bitmap that skin pictures are loaded into and rendered
// from: its storage, change notification, fills, copies and transfers.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/DecodedPicture.h"
#include "platform/Exception.h"
#include "platform/PixelSurface.h"
#include "platform/Rect.h"
#include "platform/Thread.h"
#include "skin/Color32.h"

enum TDrawMode : uint8_t { dmOpaque, dmBlend, dmCustom };
enum TStretchFilter : uint8_t { sfNearest, sfLinear, sfLinear2, sfSpline };

// Combines a source pixel F into a destination pixel B with master alpha M.
using TPixelCombineEvent = std::function<void(TColor32 f, TColor32& b, TColor32 m)>;

// Failures of the bitmap: storage that cannot be had, transfers that cannot run.
class EBitmapError : public Exception { using Exception::Exception; };

// An object whose readers and writers can lock it, and whose changes are
// announced unless an update bracket holds them back.
class TThreadPersistent {
public:
    TThreadPersistent() = default;
    virtual ~TThreadPersistent() = default;
    TThreadPersistent(const TThreadPersistent&) = delete;
    TThreadPersistent& operator=(const TThreadPersistent&) = delete;

    void Lock();
    void Unlock();
    int32_t LockCount() const { return lockCount_; }

    // A change made inside the bracket is not announced, not even at its end.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate() { --updateCount_; }
    int32_t UpdateCount() const { return updateCount_; }

    virtual void Changed();
    std::function<void(TThreadPersistent& sender)> OnChange;

private:
    platform::TRecursiveLock section_;
    int32_t lockCount_ = 0;
    int32_t updateCount_ = 0;
};

// Holds an object's change notifications back while it lives.
class TUpdateBracket {
public:
    explicit TUpdateBracket(TThreadPersistent& object) : object_(object) { object_.BeginUpdate(); }
    ~TUpdateBracket() { object_.EndUpdate(); }
    TUpdateBracket(const TUpdateBracket&) = delete;
    TUpdateBracket& operator=(const TUpdateBracket&) = delete;

private:
    TThreadPersistent& object_;
};

// Something with a width and a height that announces resizing.
class TCustomMap : public TThreadPersistent {
public:
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }

    void Delete() { SetSize(0, 0); }
    virtual bool Empty() const { return width_ == 0 || height_ == 0; }
    virtual void Resized();
    // Sizes below 1 become 0; returns whether the size changed.
    virtual bool SetSize(int32_t width, int32_t height);

    std::function<void(TCustomMap& sender)> OnResize;

protected:
    void StoreSize(int32_t width, int32_t height) { width_ = width; height_ = height; }

private:
    int32_t width_ = 0;
    int32_t height_ = 0;
};

class TBitmap32 : public TCustomMap {
public:
    TBitmap32() = default;
    ~TBitmap32() override;

    bool SetSize(int32_t width, int32_t height) override;
    bool Empty() const override { return surface_.Pixels() == nullptr; }
    TRect BoundsRect() const { return TRect{0, 0, Width(), Height()}; }

    // Pixel access: no bounds check, no notification.
    TColor32* Pixels() const { return surface_.Pixels(); }
    TColor32* RowStart(int32_t y) const { return Pixels() + int64_t(y) * Width(); }
    TColor32 GetPixel(int32_t x, int32_t y) const { return RowStart(y)[x]; }
    void SetPixel(int32_t x, int32_t y, TColor32 c) { RowStart(y)[x] = c; }
    // The memory device context the pixels are selected into (null natively).
    platform::TDeviceContext Context() const { return surface_.Context(); }

    void Clear(TColor32 color = clBlack32);
    void FillRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, TColor32 color);
    void FillRectClipped(int32_t x1, int32_t y1, int32_t x2, int32_t y2, TColor32 color);
    void MakeOpaque();

    // A null source empties the bitmap; another bitmap is copied with its drawing settings.
    void CopyFrom(const TBitmap32* source);
    // A decoded picture: its pixels, made opaque unless it carried alpha.
    void CopyFrom(const TDecodedPicture& picture);
    // Loads a picture file, choosing the decoder by its extension.
    void LoadFromFile(const std::string& fileName);

    void Draw(int32_t x, int32_t y, const TBitmap32& source);
    void DrawTo(TBitmap32& destination) const;
    void DrawTo(TBitmap32& destination, const TRect& destinationRect) const;
    void DrawTo(TBitmap32& destination, const TRect& destinationRect, const TRect& sourceRect) const;
    // Copies every pixel unchanged to a window's device context at (x, y).
    void DrawTo(platform::TDeviceContext context, int32_t x, int32_t y) const;
    // Copies the source rectangle unchanged to a window's device context at (x, y).
    void DrawTo(platform::TDeviceContext context, int32_t x, int32_t y, const TRect& sourceRect) const;

    TDrawMode DrawMode() const { return drawMode_; }
    void SetDrawMode(TDrawMode mode);
    uint8_t MasterAlpha() const { return masterAlpha_; }
    void SetMasterAlpha(uint8_t alpha);
    TStretchFilter StretchFilter() const { return stretchFilter_; }
    void SetStretchFilter(TStretchFilter filter);
    TColor32 OuterColor() const { return outerColor_; }
    void SetOuterColor(TColor32 color) { outerColor_ = color; }

    TPixelCombineEvent OnPixelCombine;

private:
    void ReleaseStorage();
    void AllocateStorage(int32_t width, int32_t height);
    void CopySettingsFrom(const TBitmap32& source);

    platform::TPixelSurface surface_;
    TDrawMode drawMode_ = dmOpaque;
    uint8_t masterAlpha_ = 255;
    TColor32 outerColor_ = 0;
    TStretchFilter stretchFilter_ = sfNearest;
};

// Sizes the destination like the source and sets each destination alpha
// to the brightness of the source pixel at the same index.
void AlphaFromIntensity(TBitmap32* destination, const TBitmap32* source);
