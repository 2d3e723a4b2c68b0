#include "skin/LayerCollection.h"

TCustomLayer* TLayerCollection::FindLayerAt(int32_t x, int32_t y) const {
    if (!mouseEvents_) return nullptr;
    for (auto it = layers_.rbegin(); it != layers_.rend(); ++it)
        if ((*it)->HitTest(x, y)) return *it;
    return nullptr;
}

void TLayerCollection::PaintLayers(TBitmap32& buffer, uint32_t optionMask) const {
    for (TCustomLayer* layer : layers_)
        if (layer->LayerOptions() & optionMask) layer->Paint(buffer);
}
