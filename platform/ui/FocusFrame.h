#pragma once
// The focus cue of a control that paints itself: a dotted frame of
// alternating black and white dots, which shows on light and dark pictures
// alike.
#include "platform/Rect.h"
#include "platform/ui/UiTypes.h"

void DrawFocusFrame(TDeviceContext dc, const TRect& area);
