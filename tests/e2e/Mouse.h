#pragma once
// Real mouse input in the X display: the pointer moves and its buttons go
// down and up as if a user did it. Each action is followed by a short pause
// so that Wine has turned it into window messages before the next one.
#include <cstdint>

// X's button numbers.
enum class MouseButton { Left = 1, Middle = 2, Right = 3 };

// The number the program's log uses for the button: 0 left, 1 right, 2 middle.
int LoggedNumber(MouseButton button);

void MoveMouse(int32_t screenX, int32_t screenY);
void PressMouse(MouseButton button);
void ReleaseMouse(MouseButton button);
