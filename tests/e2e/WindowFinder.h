#pragma once
// Finds a program's window on the X display by its title and size.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/Rect.h"

// The screen rectangle of the one mapped window whose title matches the
// regular expression `title` whole and whose size is width x height (any
// size for a width of 0); nothing while there is none.
// Throws std::runtime_error when there are several (another instance still
// showing), since the tests could not tell which one they drive.
std::optional<TRect> FindShownWindow(const std::string& title, int32_t width = 0, int32_t height = 0);
