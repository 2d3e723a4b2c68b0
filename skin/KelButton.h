#pragma once
// The four-state image button: a skinned frame whose picture is swapped
// between the normal, hovered, pressed and disabled pictures, and whose size
// follows the picture shown. It takes the focus with Tab, shows it with a
// dotted frame over its picture, and Space or Enter press it.
#include <cstdint>
#include <string>

#include "skin/KelFrame.h"

enum TButtonImageState : uint8_t { isNormal, isOver, isPressed, isDisabled };

class TKelButton : public TKelFrame {
public:
    explicit TKelButton(TComponent* owner);

    // Storing a name changes nothing on screen until the next change of state.
    const std::string& ImageNormal() const { return imageNormal_; }
    void SetImageNormal(const std::string& name) { imageNormal_ = name; }
    const std::string& ImageOver() const { return imageOver_; }
    void SetImageOver(const std::string& name) { imageOver_ = name; }
    const std::string& ImagePressed() const { return imagePressed_; }
    void SetImagePressed(const std::string& name) { imagePressed_ = name; }
    const std::string& ImageDisabled() const { return imageDisabled_; }
    void SetImageDisabled(const std::string& name) { imageDisabled_ = name; }

    // Shows the picture of a state and takes its size, keeping the top-left corner.
    virtual void SetButtonState(TButtonImageState state);
    virtual void BEnter(TComponent& sender);
    virtual void BExit(TComponent& sender);
    virtual void BUp(TComponent& sender, TMouseButton button, TShiftState shift, int32_t x, int32_t y, TCustomLayer* layer);
    virtual void BDown(TComponent& sender, TMouseButton button, TShiftState shift, int32_t x, int32_t y, TCustomLayer* layer);

    // Enabling shows the normal picture, disabling the disabled one.
    void SetEnabled(bool enabled) override;

    bool PressesLikeButton() const override { return true; }
    bool ShowsPressed() const override { return leftDown_ || spaceDown_; }

    // "Tarnwick" and the next number of a process-wide count: Tarnwick1, Tarnwick2, ...
    static std::string NewComponentName();

protected:
    void PaintClient(TDeviceContext dc) override;
    void FocusChanged() override { InvalidateView(); }
    bool HandleKey(uint16_t key, bool down) override;

private:
    const std::string& ImageOf(TButtonImageState state) const;

    std::string imageNormal_;
    std::string imageOver_;
    std::string imagePressed_;
    std::string imageDisabled_;
    bool leftDown_ = false;   // the left button went down on the button and is still held
    bool spaceDown_ = false;  // Space went down on the button and is still held
    bool pointerInside_ = false;  // the last the button heard: the pointer entered, and has not left
};

// The picture file for a state's name: names with a drive or a network
// prefix as they are, others below the program's folder.
std::string ButtonImagePath(const std::string& name, const std::string& programFolder);
