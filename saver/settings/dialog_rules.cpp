#include "settings/dialog_rules.h"

#include <cmath>

#include "music/settings.h"

namespace {

constexpr double kRowsPerHalfWave = 3.142;
constexpr double kBrightest = 220.0;

}  // namespace

TwipPosition DialogPosition(long screenWidth, long screenHeight, long windowWidth,
                            long windowHeight) {
    return {(screenWidth - windowWidth) / 2, (screenHeight - windowHeight) / 3};
}

// A client area of no height would divide by zero; its one row then keeps the shade 0.
int GradientShade(int y, int height) {
    const double k = height / kRowsPerHalfWave;
    if (k == 0.0) {
        return 0;
    }
    return static_cast<int>(std::nearbyint(std::fabs(std::sin(y / k)) * kBrightest));
}

// A strip without size would never cover anything: one copy is all it gets.
std::vector<TileOrigin> TileOrigins(int boxWidth, int boxHeight, int stripWidth, int stripHeight) {
    std::vector<TileOrigin> origins;
    if (stripWidth <= 0 || stripHeight <= 0) {
        origins.push_back({0, 0});
        return origins;
    }
    int x = 0;
    int y = 0;
    for (;;) {
        origins.push_back({x, y});
        if (y > boxHeight) {
            if (x > boxWidth) {
                return origins;
            }
            x += stripWidth;
            y = 0;
        } else {
            y += stripHeight;
        }
    }
}

KindLook LookOfKind(int kind) {
    KindLook look{{false, false, false}, kind == kMusicCd, kind == kMusicFile};
    if (kind >= kNoMusic && kind <= kMusicFile) {
        look.marked[static_cast<size_t>(kind)] = true;
    }
    return look;
}
