#include "gl/sphere_cells.h"

#include "model/sphere_mesh.h"

namespace {

constexpr double kTextureStep = 1.0 / kMeshCells;

}  // namespace

TexturePatch CellTexturePatch(int azimuth, int polar) {
    const double s0 = azimuth * kTextureStep;
    const double t0 = 1.0 - polar * kTextureStep;
    return {s0, s0 + kTextureStep, t0, t0 - kTextureStep};
}

SphereCell MakeSphereCell(int azimuth, int polar) {
    return {sphereMesh[azimuth][polar], sphereMesh[azimuth + 1][polar],
            sphereMesh[azimuth][polar + 1], sphereMesh[azimuth + 1][polar + 1],
            CellTexturePatch(azimuth, polar)};
}

Vec3d FirstFacetNormal(const SphereCell& cell) {
    return VecNormalize(VecCross(VecSub(cell.p10, cell.p00), VecSub(cell.p01, cell.p00)));
}

Vec3d SecondFacetNormal(const SphereCell& cell) {
    return VecNormalize(VecCross(VecSub(cell.p01, cell.p11), VecSub(cell.p10, cell.p11)));
}
