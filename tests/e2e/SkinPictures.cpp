#include "tests/e2e/SkinPictures.h"

#include <stdexcept>

#include "skin/PictureLoader.h"

const char* NameOf(ButtonState state) {
    switch (state) {
        case ButtonState::Normal: return "Normal";
        case ButtonState::Over: return "Over";
        case ButtonState::Pressed: return "Pressed";
        case ButtonState::Disabled: return "Disabled";
    }
    return "?";
}

uint32_t RgbAt(const TDecodedPicture& picture, int32_t x, int32_t y) {
    return picture.Pixels.at(size_t(y) * size_t(picture.Width) + size_t(x)) & 0x00FFFFFF;
}

bool TransparentAt(const TDecodedPicture& picture, int32_t x, int32_t y) {
    return RgbAt(picture, x, y) == kSkinTransparent;
}

uint32_t AverageOf(const TDecodedPicture& picture, const TRect& area) {
    uint64_t red = 0, green = 0, blue = 0;
    for (int32_t y = area.Top; y < area.Bottom; ++y)
        for (int32_t x = area.Left; x < area.Right; ++x) {
            const uint32_t c = RgbAt(picture, x, y);
            red += c >> 16 & 0xFF;
            green += c >> 8 & 0xFF;
            blue += c & 0xFF;
        }
    const uint64_t n = uint64_t(area.Width()) * uint64_t(area.Height());
    if (n == 0) return 0;
    return uint32_t((red + n / 2) / n) << 16 | uint32_t((green + n / 2) / n) << 8 | uint32_t((blue + n / 2) / n);
}

SkinPictures::SkinPictures(const std::string& folder, const std::vector<std::string>& roles)
    : window_(LoadPictureFile(folder + "/Window.bmp")) {
    for (const std::string& role : roles)
        for (ButtonState state : kButtonStates)
            buttons_[role][size_t(state)] = LoadPictureFile(folder + "/" + role + NameOf(state) + ".bmp");
}

const TDecodedPicture& SkinPictures::Button(const std::string& role, ButtonState state) const {
    const auto found = buttons_.find(role);
    if (found == buttons_.end()) throw std::out_of_range("no pictures of a button " + role);
    return found->second[size_t(state)];
}
