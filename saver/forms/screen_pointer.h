#pragma once

#include <windows.h>

namespace forms {

// The screen's mouse pointer, shown over every window of the program (the hourglass while it
// is busy); null gives each window its own pointer again.
void SetScreenMousePointer(HCURSOR pointer);
HCURSOR ScreenMousePointer();

}  // namespace forms
