#pragma once

#include <vector>

// How the renderer shares the screen with the rest of the desktop while the show runs, apart
// from the windowing system.

struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const ScreenRect& other) const {
        return left == other.left && top == other.top && right == other.right &&
               bottom == other.bottom;
    }
};

// Every monitor but the one the renderer fills is covered in black, so that nothing the user
// had open shows beside the show.
std::vector<ScreenRect> MonitorsToCover(const std::vector<ScreenRect>& monitors,
                                        const ScreenRect& filled);

enum class ScreenStep {
    GiveBackDisplayMode,  // the mode stored in the registry, for the user working elsewhere
    TakeDisplayMode,      // the show's full-screen mode again
    MinimiseWindow,       // out of the way, without taking the activation from anyone
    RestoreWindow,
    CoverOtherMonitors,  // placed anew: the monitors may have moved with the mode
    UncoverOtherMonitors,
};

// The show gives the screen back when another program is activated (Alt+Tab, the Windows key,
// a prompt) and takes it again when it is activated itself. Each change happens once, however
// often the system repeats itself.
class ScreenKeeper {
  public:
    explicit ScreenKeeper(bool fullScreen) : fullScreen_(fullScreen) {}

    // What to do now that the renderer's program has gained (true) or lost the activation.
    std::vector<ScreenStep> Activated(bool active);
    // A display mode that could not be taken again leaves the show in its window.
    void TakingFailed() { fullScreen_ = false; }
    // The screen is given back while another program is active.
    bool Away() const { return away_; }

  private:
    bool fullScreen_;
    bool away_ = false;
};
