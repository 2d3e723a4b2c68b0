#pragma once
// Overlay layers above a skinned surface's picture. No kind of layer exists
// in the setup, so the collection stays empty: hit tests find nothing and
// mouse input goes straight to the owner.
#include <cstdint>
#include <functional>
#include <vector>

class TBitmap32;
class TComponent;

// Mapping between picture and client coordinates: zooms in 16.16 fixed point,
// origins in client pixels.
struct TImageTransform {
    int32_t ZoomX = 0x10000;
    int32_t ZoomY = 0x10000;
    int32_t OriginX = 0;
    int32_t OriginY = 0;
    int32_t InvZoomX = 0x10000;
    int32_t InvZoomY = 0x10000;
};

// A layer paints itself into the back buffer when its option bits match a stage's.
class TCustomLayer {
public:
    virtual ~TCustomLayer() = default;
    virtual uint32_t LayerOptions() const = 0;
    virtual void Paint(TBitmap32& buffer) = 0;
    virtual bool HitTest(int32_t x, int32_t y) const = 0;
};

class TLayerCollection {
public:
    explicit TLayerCollection(TComponent* owner) : owner_(owner) {}

    TComponent* Owner() const { return owner_; }
    size_t Count() const { return layers_.size(); }
    TCustomLayer* operator[](size_t index) const { return layers_[index]; }

    bool MouseEvents() const { return mouseEvents_; }
    void SetMouseEvents(bool on) { mouseEvents_ = on; }
    TCustomLayer* MouseListener() const { return mouseListener_; }
    void LinkTransform(const TImageTransform* transform) { transform_ = transform; }
    const TImageTransform* Transform() const { return transform_; }

    // The topmost layer under the point, or null.
    TCustomLayer* FindLayerAt(int32_t x, int32_t y) const;
    // Lets every layer whose options share a bit with the mask paint itself.
    void PaintLayers(TBitmap32& buffer, uint32_t optionMask) const;

    std::function<void()> OnChange;
    std::function<void()> OnOwnerUpdate;

private:
    TComponent* owner_;
    std::vector<TCustomLayer*> layers_;
    bool mouseEvents_ = true;
    TCustomLayer* mouseListener_ = nullptr;
    const TImageTransform* transform_ = nullptr;
};
