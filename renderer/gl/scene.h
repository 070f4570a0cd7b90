#pragma once

#include "bitmap/bitmap_reader.h"

// GL texture name of the desktop picture; made once and kept until the process ends.
extern unsigned int desktopTexture;
// A positional light in eye coordinates, sent again every frame so it moves with the camera.
extern const float lightPosition[4];

// Builds the mesh, makes the desktop picture the texture and sets the fixed GL state every
// frame relies on. The shell reads the picture; the scene only draws it.
void InitScene(const BitmapImage& desktop);
