#pragma once

namespace forms {

// Mouse buttons as the mouse events name them, and the shift state's keys.
enum MouseButton : int { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
enum ShiftKey : int { kShiftKey = 1, kCtrlKey = 2, kAltKey = 4 };

struct MouseEvent {
    int button;  // the one button pressed or released; 0 for a move
    int shift;
    int x, y;  // pixels in the control or graphic
};

}  // namespace forms
