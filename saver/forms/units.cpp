#include "forms/units.h"

#include <windows.h>

#include <cmath>

namespace forms {

double TwipsPerPixel() {
    return 1440.0 / kDesignDotsPerInch;
}

int PixelsOf(double twips) {
    return static_cast<int>(std::lround(twips / TwipsPerPixel()));
}

int TwipsOf(double pixels) {
    return static_cast<int>(std::lround(pixels * TwipsPerPixel()));
}

int ScreenWidthPixels() {
    return GetSystemMetrics(SM_CXSCREEN);
}

int ScreenHeightPixels() {
    return GetSystemMetrics(SM_CYSCREEN);
}

}  // namespace forms
