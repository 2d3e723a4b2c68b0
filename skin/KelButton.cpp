#include "skin/KelButton.h"

#include "platform/FileSystem.h"
#include "platform/ui/FocusFrame.h"

namespace {

constexpr int32_t kFocusInset = 3;  // the focus frame's distance from the button's edge

}  // namespace

std::string ButtonImagePath(const std::string& name, const std::string& programFolder) {
    const bool hasDrive = (name.size() >= 2 && name[1] == ':') || name.rfind("\\\\", 0) == 0;
    return hasDrive ? name : programFolder + "\\" + name;
}

TKelButton::TKelButton(TComponent* owner) : TKelFrame(owner) {
    OnMouseEnter = [this](TComponent& sender) { BEnter(sender); };
    OnMouseLeave = [this](TComponent& sender) { BExit(sender); };
    OnMouseUp = [this](TComponent& sender, TMouseButton button, TShiftState shift, int32_t x, int32_t y,
                       TCustomLayer* layer) { BUp(sender, button, shift, x, y, layer); };
    OnMouseDown = [this](TComponent& sender, TMouseButton button, TShiftState shift, int32_t x, int32_t y,
                         TCustomLayer* layer) { BDown(sender, button, shift, x, y, layer); };
    SetName(NewComponentName());
    SetTabStop(true);
}

std::string TKelButton::NewComponentName() {
    static int32_t counter = 0;
    return "Tarnwick" + std::to_string(++counter);
}

const std::string& TKelButton::ImageOf(TButtonImageState state) const {
    static const std::string none;
    switch (state) {
        case isNormal: return imageNormal_;
        case isOver: return imageOver_;
        case isPressed: return imagePressed_;
        case isDisabled: return imageDisabled_;
        default: return none;
    }
}

void TKelButton::SetButtonState(TButtonImageState state) {
    const std::string& name = ImageOf(state);
    if (name.empty() || name == Skin().FileName()) return;
    Skin().SetFileName(ButtonImagePath(name, platform::ProgramFolder()));
    const TBitmap32& picture = Skin().GetBitmap();
    SetBounds(Left(), Top(), picture.Width(), picture.Height());
}

void TKelButton::BEnter(TComponent&) {
    pointerInside_ = true;
    if (!Enabled()) return;
    SetButtonState(isOver);
}

void TKelButton::BExit(TComponent&) {
    pointerInside_ = false;
    if (!Enabled()) return;
    SetButtonState(leftDown_ ? isPressed : isNormal);
}

void TKelButton::BDown(TComponent&, TMouseButton button, TShiftState, int32_t, int32_t, TCustomLayer*) {
    if (!Enabled()) return;
    if (button == mbLeft) leftDown_ = true;
    SetButtonState(isPressed);
}

void TKelButton::BUp(TComponent&, TMouseButton button, TShiftState, int32_t x, int32_t y, TCustomLayer*) {
    if (button == mbLeft) leftDown_ = false;
    if (!Enabled()) return;
    // A click may run long (the copy phase), and the pointer may have left
    // meanwhile: the release's own position is then out of date.
    SetButtonState(pointerInside_ && ClientRect().Contains(x, y) ? isOver : isNormal);
}

void TKelButton::SetEnabled(bool enabled) {
    SetButtonState(enabled ? isNormal : isDisabled);
    TKelFrame::SetEnabled(enabled);
}

void TKelButton::PaintClient(TDeviceContext dc) {
    TKelFrame::PaintClient(dc);
    if (!ShowsFocusCue()) return;
    const TRect area{kFocusInset, kFocusInset, ClientWidth() - kFocusInset, ClientHeight() - kFocusInset};
    if (area.Width() > 0 && area.Height() > 0) DrawFocusFrame(dc, area);
}

// Space shows the pressed picture while held and presses the button when
// released, as a mouse click does; a held key's repeats change nothing.
bool TKelButton::HandleKey(uint16_t key, bool down) {
    if (key != vkSpace || !Enabled()) return false;
    if (down) {
        if (spaceDown_) return true;
        spaceDown_ = true;
        SetButtonState(isPressed);
        return true;
    }
    if (!spaceDown_) return true;
    spaceDown_ = false;
    SetButtonState(leftDown_ ? isPressed : isNormal);
    Click();
    return true;
}
