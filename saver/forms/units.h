#pragma once

namespace forms {

// The forms are designed at 96 dots per inch, where a pixel is 15 twips (a twip is 1/1440
// inch). The program does not declare itself aware of display scaling, so Windows shows it at
// that resolution and scales the windows itself; the units stay fixed even where the system
// would not (Wine, which treats every program as aware of the real resolution).
inline constexpr int kDesignDotsPerInch = 96;
double TwipsPerPixel();
// Design units to pixels and back, to the nearest whole one.
int PixelsOf(double twips);
int TwipsOf(double pixels);
// The primary screen, in pixels.
int ScreenWidthPixels();
int ScreenHeightPixels();

}  // namespace forms
