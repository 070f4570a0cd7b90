#include "forms/display_mode.h"

#include <windows.h>

namespace forms {

void RestoreStoredDisplayMode() {
    DEVMODEW current{};
    current.dmSize = sizeof(current);
    DEVMODEW stored{};
    stored.dmSize = sizeof(stored);
    if (!EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &current) ||
        !EnumDisplaySettingsW(nullptr, ENUM_REGISTRY_SETTINGS, &stored)) {
        return;
    }
    if (current.dmPelsWidth != stored.dmPelsWidth || current.dmPelsHeight != stored.dmPelsHeight ||
        current.dmBitsPerPel != stored.dmBitsPerPel) {
        ChangeDisplaySettingsW(nullptr, 0);
    }
}

}  // namespace forms
