#include "shell/screen_rules.h"

#include <algorithm>

std::vector<ScreenRect> MonitorsToCover(const std::vector<ScreenRect>& monitors,
                                        const ScreenRect& filled) {
    std::vector<ScreenRect> covered;
    std::copy_if(monitors.begin(), monitors.end(), std::back_inserter(covered),
                 [&filled](const ScreenRect& monitor) { return !(monitor == filled); });
    return covered;
}

bool ActivationWatch::EndsShow(bool active) {
    if (active) {
        everActive_ = true;
        return false;
    }
    if (!everActive_ || ending_) {
        return false;
    }
    ending_ = true;
    return true;
}
