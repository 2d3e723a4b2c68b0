#pragma once
// Small value types of the window framework: mouse buttons and shift state,
// cursors, alignment, anchors, control style flags and modal results.
#include <cstdint>
#include <functional>

class TComponent;

using TWindowHandle = void*;   // HWND on Windows
using TDeviceContext = void*;  // HDC on Windows

enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

// Keys and mouse buttons held during a mouse event.
using TShiftState = uint32_t;
constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64;

// Cursor shapes by the framework's numbers; crDefault leaves the choice to the window.
enum TCursor : int16_t {
    crDefault = 0,
    crArrow = -2,
    crCross = -3,
    crIBeam = -4,
    crHourGlass = -11,
    crNo = -18,
    crAppStart = -19,
    crHandPoint = -21,
};

// Where a control sits in its parent: placed freely or stacked against an edge.
enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };

// The parent edges a freely placed control keeps its distance to.
using TAnchors = uint8_t;
constexpr TAnchors akLeft = 1, akTop = 2, akRight = 4, akBottom = 8;
constexpr TAnchors akTopLeft = akLeft | akTop, akAll = akLeft | akTop | akRight | akBottom;

// What a control does by itself.
using TControlStyle = uint32_t;
constexpr TControlStyle csAcceptsControls = 1,  // may hold child controls
    csCaptureMouse = 2,                         // captures the mouse while a button is held on it
    csClickEvents = 4,                          // a left press and release on it is a click
    csDoubleClicks = 8,                         // receives double clicks as such
    csOpaque = 16,                              // paints every pixel of its area itself
    csReplicatable = 32;

// How a modal form or message box was closed.
enum TModalResult : int32_t { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

using TMouseEvent = std::function<void(TComponent& sender, TMouseButton button, TShiftState shift, int32_t x, int32_t y)>;
using TMouseMoveEvent = std::function<void(TComponent& sender, TShiftState shift, int32_t x, int32_t y)>;

// Keys the framework acts on, by the system's key codes.
constexpr uint16_t vkTab = 0x09, vkReturn = 0x0D, vkEscape = 0x1B, vkSpace = 0x20;

// A key press that a form sees before the focused control does: a key
// pressed, or a character typed while Alt is held (an access key).
struct TKeyInput {
    uint16_t Key = 0;            // the key, or 0 for a character typed with Alt
    char32_t Character = 0;      // the character typed with Alt
    TShiftState Shift = 0;
    bool FocusWantsKey = false;  // the focused control takes this key itself (a multi-line text)
};

// One window message as the window procedure received it.
struct TMessage {
    uint32_t Msg = 0;
    uintptr_t WParam = 0;
    intptr_t LParam = 0;
    intptr_t Result = 0;
};
