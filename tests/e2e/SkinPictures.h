#pragma once
// The sample skin as the tests expect to see it on screen: the window
// picture and the four pictures of each button, decoded by the skin's own
// picture loader.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/DecodedPicture.h"
#include "platform/Rect.h"

enum class ButtonState { Normal, Over, Pressed, Disabled };
constexpr std::array<ButtonState, 4> kButtonStates{ButtonState::Normal, ButtonState::Over, ButtonState::Pressed,
                                                   ButtonState::Disabled};
const char* NameOf(ButtonState state);

// Pure magenta, the skin's transparent colour, as 0x00RRGGBB.
constexpr uint32_t kSkinTransparent = 0xFF00FF;

// The RGB part (0x00RRGGBB) of a picture's pixel.
uint32_t RgbAt(const TDecodedPicture& picture, int32_t x, int32_t y);
bool TransparentAt(const TDecodedPicture& picture, int32_t x, int32_t y);
// The mean colour of a rectangle of the picture, 0x00RRGGBB.
uint32_t AverageOf(const TDecodedPicture& picture, const TRect& area);

class SkinPictures {
public:
    // Loads Window.bmp and {role}{state}.bmp for the roles given; throws when one cannot be read.
    SkinPictures(const std::string& folder, const std::vector<std::string>& roles);

    const TDecodedPicture& Window() const { return window_; }
    const TDecodedPicture& Button(const std::string& role, ButtonState state) const;

private:
    TDecodedPicture window_;
    std::map<std::string, std::array<TDecodedPicture, 4>> buttons_;
};
