#include "forms/display_mode.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

using forms::DisplayMode;

namespace {

std::string Text(const DisplayMode& mode) {
    return std::to_string(mode.width) + "x" + std::to_string(mode.height) + "x" +
           std::to_string(mode.bitsPerPixel) + "@" + std::to_string(mode.refreshRate);
}

class FakeDisplay : public forms::DisplaySettings {
  public:
    std::optional<DisplayMode> current;
    bool accepts = true;
    std::vector<std::string> changes;

    std::optional<DisplayMode> Current() override { return current; }
    bool Change(const DisplayMode& mode) override {
        changes.push_back(Text(mode));
        return accepts;
    }
    void ChangeToStored() override { changes.push_back("stored"); }
};

const DisplayMode kDesktop{1920, 1080, 32, 144};

}  // namespace

TEST(GiveBackDisplayMode, ChangesOnlyWhatDiffersFromTheRecordedMode) {
    const struct {
        const char* what;
        std::optional<DisplayMode> recorded;
        std::optional<DisplayMode> current;
        bool accepts;
        std::vector<std::string> changes;
    } cases[] = {
        {"already in the recorded mode", kDesktop, kDesktop, true, {}},
        {"the show's size", kDesktop, DisplayMode{1024, 768, 32, 144}, true, {"1920x1080x32@144"}},
        {"another depth", kDesktop, DisplayMode{1920, 1080, 16, 144}, true, {"1920x1080x32@144"}},
        {"another refresh rate",
         kDesktop,
         DisplayMode{1920, 1080, 32, 60},
         true,
         {"1920x1080x32@144"}},
        {"the current mode unknown", kDesktop, std::nullopt, true, {"1920x1080x32@144"}},
        {"the recorded mode refused",
         kDesktop,
         DisplayMode{1024, 768, 32, 60},
         false,
         {"1920x1080x32@144", "stored"}},
        {"nothing recorded", std::nullopt, DisplayMode{1024, 768, 32, 60}, true, {"stored"}},
    };
    for (const auto& c : cases) {
        FakeDisplay display;
        display.current = c.current;
        display.accepts = c.accepts;
        forms::GiveBackDisplayMode(c.recorded, display);
        EXPECT_EQ(display.changes, c.changes) << c.what;
    }
}
