#include "platform/ui/Label.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/ui/StandardControls.h"

using platform::ui::DrawUtf8Text;

namespace {

// The label shows data (titles, paths) as it is: an ampersand is a letter,
// not the mark of an accelerator.
UINT TextFlags(bool wordWrap, TAlignment alignment) {
    UINT flags = DT_NOPREFIX | DT_EXPANDTABS;
    if (wordWrap) flags |= DT_WORDBREAK;
    switch (alignment) {
        case taCenter: flags |= DT_CENTER; break;
        case taRightJustify: flags |= DT_RIGHT; break;
        default: flags |= DT_LEFT; break;
    }
    return flags;
}

}  // namespace

TLabel::TLabel(TComponent* owner) : TControl(owner) {
    SetControlStyle(csClickEvents | csReplicatable);
    SetBounds(0, 0, 65, 13);
    SetAutoSize(true);
}

void TLabel::SetWordWrap(bool on) {
    if (on == wordWrap_) return;
    wordWrap_ = on;
    InvalidateView();
    AdjustSize();
}

void TLabel::SetAlignment(TAlignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    InvalidateView();
}

bool TLabel::AutoSizeQuery(int32_t& width, int32_t& height) {
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return false;
    HGDIOBJ previous = SelectObject(dc, static_cast<HFONT>(Font().Handle()));
    RECT r{0, 0, wordWrap_ ? std::max<int32_t>(Width(), 1) : 0, 0};
    DrawUtf8Text(dc, Caption(), r, TextFlags(wordWrap_, alignment_) | DT_CALCRECT);
    SelectObject(dc, previous);
    DeleteDC(dc);
    if (!wordWrap_) width = r.right - r.left;
    height = r.bottom - r.top;
    return true;
}

void TLabel::PaintOnParent(TDeviceContext target) {
    if (Caption().empty()) return;
    HDC dc = static_cast<HDC>(target);
    HGDIOBJ previous = SelectObject(dc, static_cast<HFONT>(Font().Handle()));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Enabled() ? ColorToRGB(Font().Color()) : GetSysColor(COLOR_GRAYTEXT));
    RECT r{Left(), Top(), Left() + Width(), Top() + Height()};
    DrawUtf8Text(dc, Caption(), r, TextFlags(wordWrap_, alignment_));
    SelectObject(dc, previous);
}

void TLabel::FontChanged() {
    InvalidateView();
    AdjustSize();
}

// A word-wrapped label wraps anew at its new width and takes the height of that.
void TLabel::HandleResize() {
    if (wordWrap_) AdjustSize();
    TControl::HandleResize();
}
