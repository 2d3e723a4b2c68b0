#pragma once
// A text without a window of its own, painted by its parent over whatever
// the parent painted: no background, the text in the label's font and font
// colour. Auto-sized by default: a word-wrapped label keeps its width and
// takes the height of its wrapped text, any other takes the size of its text.
#include <cstdint>

#include "platform/ui/Control.h"

enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };

class TLabel : public TControl {
public:
    explicit TLabel(TComponent* owner);

    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool on);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);

    bool AutoSizeQuery(int32_t& width, int32_t& height) override;
    void PaintOnParent(TDeviceContext dc) override;

protected:
    void FontChanged() override;
    void HandleResize() override;

private:
    bool wordWrap_ = false;
    TAlignment alignment_ = taLeftJustify;
};
