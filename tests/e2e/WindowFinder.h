#pragma once
// Finds a program's window on the X display by its title and size.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/Rect.h"

// The screen rectangle of the one mapped window whose title is exactly
// `title` and whose size is width x height; nothing while there is none.
// Throws std::runtime_error when there are several (another instance still
// showing), since the tests could not tell which one they drive.
std::optional<TRect> FindShownWindow(const std::string& title, int32_t width, int32_t height);
