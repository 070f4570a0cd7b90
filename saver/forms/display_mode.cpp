#include "forms/display_mode.h"

namespace forms {

void GiveBackDisplayMode(const std::optional<DisplayMode>& recorded, DisplaySettings& display) {
    if (recorded && display.Current() == recorded) {
        return;
    }
    if (!recorded || !display.Change(*recorded)) {
        display.ChangeToStored();
    }
}

}  // namespace forms
