#pragma once

#include "forms/display_mode.h"

namespace forms {

// The primary display's settings, through Win32.
class SystemDisplaySettings final : public DisplaySettings {
  public:
    std::optional<DisplayMode> Current() override;
    bool Change(const DisplayMode& mode) override;
    void ChangeToStored() override;
};

}  // namespace forms
