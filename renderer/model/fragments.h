#pragma once

#include "model/sphere_mesh.h"

// One flat piece of the burst: the four corners of a sphere cell and its constant velocity
// in world units per drawn frame. Fifteen floats in this order; nothing else.
struct Fragment {
    float x[4];
    float y[4];
    float z[4];
    float vx;
    float vy;
    float vz;
};
static_assert(sizeof(Fragment) == 15 * sizeof(float), "a fragment is fifteen packed floats");

// The burst has 63 x 63 pieces: the cells next to the seam and around the south pole get
// none, so entries 63 and 64 of the table are never filled or read.
constexpr int kFragmentCells = kMeshCells - 1;

extern Fragment fragments[kMeshPoints][kMeshPoints];

// Rebuilds every fragment from the unrotated mesh at the start of each burst, drawing six
// numbers per fragment from the run-time's rand sequence (23814 per burst).
void BuildFragments();
