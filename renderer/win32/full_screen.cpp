#include "win32/full_screen.h"

#include <windows.h>

#include "win32/render_formats.h"

namespace {

DEVMODEA modeBefore = {};
bool modeBeforeKnown = false;

bool ReadCurrentMode(DEVMODEA& mode) {
    mode = {};
    mode.dmSize = kClassicDevModeSize;
    return EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode) != FALSE;
}

bool Switch(int width, int height, int bits, int refreshHertz) {
    DEVMODEA request = MakeFullScreenMode(width, height, bits, refreshHertz);
    return ChangeDisplaySettingsA(&request, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
}

}  // namespace

bool EnterFullScreen(int width, int height, int bits) {
    modeBeforeKnown = ReadCurrentMode(modeBefore);
    const int monitorRate = modeBeforeKnown ? static_cast<int>(modeBefore.dmDisplayFrequency) : 0;
    return (monitorRate > 1 && Switch(width, height, bits, monitorRate)) ||
           Switch(width, height, bits, 0);
}

// Without a record of the mode before (Windows would not say), the registry's is the best left.
void LeaveFullScreen() {
    ChangeDisplaySettingsA(modeBeforeKnown ? &modeBefore : nullptr, 0);
}

int CurrentRefreshRate() {
    DEVMODEA mode;
    return ReadCurrentMode(mode) ? static_cast<int>(mode.dmDisplayFrequency) : 0;
}
