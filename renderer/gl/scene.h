#pragma once

#include "bitmap/bitmap_reader.h"

// The desktop snapshot the screen saver leaves for the renderer; read once at start.
constexpr const char* kSnapshotPath = "c:\\r_vask\\Kessamiron.bmp";

// GL texture name of the desktop picture; made once and kept until the process ends.
extern unsigned int desktopTexture;
// A positional light in eye coordinates, sent again every frame so it moves with the camera.
extern const float lightPosition[4];

// Builds the mesh, loads the desktop texture and sets the fixed GL state every frame relies
// on. False when the snapshot could not be loaded; no fixed state is set then. The reader's
// messages reach the user through showMessage (the window layer decides how).
bool InitScene(const BitmapMessageSink& showMessage);

bool LoadDesktopTexture(const BitmapMessageSink& showMessage);
