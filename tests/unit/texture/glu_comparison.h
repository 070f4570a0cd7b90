#pragma once

#include "bitmap/bitmap_reader.h"

// A picture in which every byte differs from its neighbours, so that any slip of weight or
// rounding in a scaling shows; the same size always gives the same bytes.
BitmapImage NoisePicture(int width, int height);

// Fails the current test unless ours has glus' size and bytes (within what the platform's GLU
// allows itself, see the definition).
void ExpectSamePicture(const BitmapImage& ours, const BitmapImage& glus);
