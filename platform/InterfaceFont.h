#pragma once
// The font to show Chinese characters and Japanese kana in: the system's
// interface font when it has them, as on a Japanese or Chinese system, or
// else an installed font that has them. Windows only.
#include <cstdint>
#include <string>

namespace platform {

enum class TIdeographs : uint8_t { Japanese, SimplifiedChinese };

// The face name; the interface font's when no installed font has the characters.
std::string InterfaceFontName(TIdeographs script);

}  // namespace platform
