#include "forms/display_settings.h"

#include <windows.h>

namespace forms {

std::optional<DisplayMode> SystemDisplaySettings::Current() {
    DEVMODEW current{};
    current.dmSize = sizeof(current);
    if (!EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &current)) {
        return std::nullopt;
    }
    return DisplayMode{current.dmPelsWidth, current.dmPelsHeight, current.dmBitsPerPel,
                       current.dmDisplayFrequency};
}

bool SystemDisplaySettings::Change(const DisplayMode& mode) {
    DEVMODEW wanted{};
    wanted.dmSize = sizeof(wanted);
    wanted.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL | DM_DISPLAYFREQUENCY;
    wanted.dmPelsWidth = mode.width;
    wanted.dmPelsHeight = mode.height;
    wanted.dmBitsPerPel = mode.bitsPerPixel;
    wanted.dmDisplayFrequency = mode.refreshRate;
    return ChangeDisplaySettingsW(&wanted, 0) == DISP_CHANGE_SUCCESSFUL;
}

void SystemDisplaySettings::ChangeToStored() {
    ChangeDisplaySettingsW(nullptr, 0);
}

}  // namespace forms
