#pragma once

#include <cstdint>
#include <optional>

namespace forms {

struct DisplayMode {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bitsPerPixel = 0;
    uint32_t refreshRate = 0;

    bool operator==(const DisplayMode& other) const {
        return width == other.width && height == other.height &&
               bitsPerPixel == other.bitsPerPixel && refreshRate == other.refreshRate;
    }
    bool operator!=(const DisplayMode& other) const { return !(*this == other); }
};

// The display's settings as the platform keeps them.
class DisplaySettings {
  public:
    virtual ~DisplaySettings() = default;
    // None when the platform cannot say.
    virtual std::optional<DisplayMode> Current() = 0;
    // False when the platform refuses the mode.
    virtual bool Change(const DisplayMode& mode) = 0;
    // The mode stored for the display, which outlives a session.
    virtual void ChangeToStored() = 0;
};

// Gives back the mode the display stood in before a program changed it and could not change
// it back: exactly that mode, or the stored one where that is refused (or was never known). A
// display already in the recorded mode is left alone, so that nothing flickers.
void GiveBackDisplayMode(const std::optional<DisplayMode>& recorded, DisplaySettings& display);

}  // namespace forms
