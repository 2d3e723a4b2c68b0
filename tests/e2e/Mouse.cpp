#include "tests/e2e/Mouse.h"

#include <string>

#include "tests/e2e/DisplayTool.h"
#include "tests/e2e/Poll.h"

namespace {

// Long enough for Wine to read the X event and the program to handle it.
constexpr auto kSettle = 250ms;

void Xdotool(const std::string& arguments) {
    RunDisplayTool("xdotool " + arguments);
    Pause(kSettle);
}

}  // namespace

int LoggedNumber(MouseButton button) {
    switch (button) {
        case MouseButton::Right: return 1;
        case MouseButton::Middle: return 2;
        default: return 0;
    }
}

void MoveMouse(int32_t screenX, int32_t screenY) {
    Xdotool("mousemove " + std::to_string(screenX) + " " + std::to_string(screenY));
}

void PressMouse(MouseButton button) { Xdotool("mousedown " + std::to_string(int(button))); }

void ReleaseMouse(MouseButton button) { Xdotool("mouseup " + std::to_string(int(button))); }
