#pragma once

#include <vector>

#include "shell/screen_rect.h"

// How the renderer shares the screen with the rest of the desktop while the show runs, apart
// from the windowing system.

// Every monitor but the one the renderer fills is covered in black, so that nothing the user
// had open shows beside the show.
std::vector<ScreenRect> MonitorsToCover(const std::vector<ScreenRect>& monitors,
                                        const ScreenRect& filled);

// The show ends when another program takes the activation (a prompt, Alt+Tab, a program that
// comes to the front), as Escape ends it: Windows locks the session when the screen saver ends,
// so a show that only stepped aside would leave the user's desktop open. A notification that
// does not take the activation leaves the show running. The renderer's own windows (the covers
// of the other monitors, its message box) never take the activation from its program.
class ActivationWatch {
  public:
    // True when the show must end now that the renderer's program has gained (true) or lost
    // the activation. A loss before the program was ever active is not the user's doing.
    bool EndsShow(bool active);
    // The show is ending already: the activation its own teardown gives away ends nothing.
    void ShowEnding() { ending_ = true; }

  private:
    bool everActive_ = false;
    bool ending_ = false;
};
