#include "shell/screen_rules.h"

#include <algorithm>

std::vector<ScreenRect> MonitorsToCover(const std::vector<ScreenRect>& monitors,
                                        const ScreenRect& filled) {
    std::vector<ScreenRect> covered;
    std::copy_if(monitors.begin(), monitors.end(), std::back_inserter(covered),
                 [&filled](const ScreenRect& monitor) { return !(monitor == filled); });
    return covered;
}

std::vector<ScreenStep> ScreenKeeper::Activated(bool active) {
    if (active == !away_) {
        return {};
    }
    away_ = !active;
    if (!active) {
        if (!fullScreen_) {
            return {ScreenStep::UncoverOtherMonitors};
        }
        return {ScreenStep::UncoverOtherMonitors, ScreenStep::GiveBackDisplayMode,
                ScreenStep::MinimiseWindow};
    }
    if (!fullScreen_) {
        return {ScreenStep::CoverOtherMonitors};
    }
    return {ScreenStep::TakeDisplayMode, ScreenStep::RestoreWindow, ScreenStep::CoverOtherMonitors};
}
