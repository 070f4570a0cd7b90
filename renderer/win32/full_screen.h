#pragma once

// The display mode of the show. The switch keeps the refresh rate the monitor runs at, since a
// mode at the driver's default rate flickers or blanks many monitors; the way back is to
// exactly the mode that was there, not to whatever the registry stores.

// Switches the primary display to width x height at bits per pixel and the monitor's own rate,
// or at the driver's default rate where that one is refused. False when neither is taken.
bool EnterFullScreen(int width, int height, int bits);

// Back to the mode that was there before EnterFullScreen.
void LeaveFullScreen();

// The primary display's refresh rate now, in hertz; 0 or 1 when the system does not know it.
int CurrentRefreshRate();
