#pragma once

#include "model/vec3d.h"

// One cell of the sphere as frame drawing sees it: its four mesh points and the patch of the
// desktop picture it carries. Kept apart from the GL calls so the geometry can be tested.
struct TexturePatch {
    double s0;  // left edge of the patch (s grows with the azimuth step)
    double s1;
    double t0;  // the cell's upper edge: the picture's top row (t = 1) sits at the north pole
    double t1;
};

struct SphereCell {
    Vec3d p00;  // [azimuth][polar]
    Vec3d p10;  // [azimuth + 1][polar]
    Vec3d p01;  // [azimuth][polar + 1]
    Vec3d p11;  // [azimuth + 1][polar + 1]
    TexturePatch patch;
};

TexturePatch CellTexturePatch(int azimuth, int polar);
SphereCell MakeSphereCell(int azimuth, int polar);

// One normal per triangle, pointing out of the sphere. The first triangle is p00, p10, p01;
// the second p11, p01, p10. At the north pole the first one has no area and its normal is
// not a number, which is harmless because it covers no pixels.
Vec3d FirstFacetNormal(const SphereCell& cell);
Vec3d SecondFacetNormal(const SphereCell& cell);
