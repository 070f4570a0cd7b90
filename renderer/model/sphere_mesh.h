#pragma once

#include "model/vec3d.h"

// The unit sphere the desktop picture is wrapped on: 64 x 64 cells, so 65 points per
// direction. Indexed [azimuth step][polar step]; polar step 0 is the north pole.
constexpr int kMeshCells = 64;
constexpr int kMeshPoints = kMeshCells + 1;

extern Vec3d sphereMesh[kMeshPoints][kMeshPoints];

// Fills sphereMesh once at start. The 0.01745 degree factor (not pi/180) fixes the exact
// geometry, and the last azimuth column is a copy of the first so the seam closes exactly.
void BuildSphereMesh();
