#include "gl/sphere_cells.h"

#include <gtest/gtest.h>

#include "model/sphere_mesh.h"

namespace {

constexpr double kStep = 1.0 / 64;

double Dot(const Vec3d& a, const Vec3d& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vec3d CellCentre(const SphereCell& cell) {
    return {(cell.p00.x + cell.p10.x + cell.p01.x + cell.p11.x) / 4,
            (cell.p00.y + cell.p10.y + cell.p01.y + cell.p11.y) / 4,
            (cell.p00.z + cell.p10.z + cell.p01.z + cell.p11.z) / 4};
}

class SphereCellsTest : public ::testing::Test {
  protected:
    void SetUp() override { BuildSphereMesh(); }
};

TEST_F(SphereCellsTest, PatchesTileThePictureWithItsTopRowAtTheNorthPole) {
    const TexturePatch first = CellTexturePatch(0, 0);
    EXPECT_DOUBLE_EQ(first.s0, 0.0);
    EXPECT_DOUBLE_EQ(first.s1, kStep);
    EXPECT_DOUBLE_EQ(first.t0, 1.0);
    EXPECT_DOUBLE_EQ(first.t1, 1.0 - kStep);

    const TexturePatch last = CellTexturePatch(63, 63);
    EXPECT_DOUBLE_EQ(last.s1, 1.0);
    EXPECT_NEAR(last.t1, 0.0, 1e-15);

    // Neighbouring cells share their edges exactly: no gaps or overlaps in the picture.
    EXPECT_DOUBLE_EQ(CellTexturePatch(10, 20).s1, CellTexturePatch(11, 20).s0);
    EXPECT_DOUBLE_EQ(CellTexturePatch(10, 20).t1, CellTexturePatch(10, 21).t0);
}

TEST_F(SphereCellsTest, PictureCentreFacesTheCameraOnTheFirstFrame) {
    // The camera of the sphere phase looks from +z; azimuth step 32 carries s = 0.5.
    const SphereCell facing = MakeSphereCell(32, 31);
    EXPECT_DOUBLE_EQ(facing.patch.s0, 0.5);
    EXPECT_GT(facing.p00.z, 0.99);
}

TEST_F(SphereCellsTest, CellCornersComeFromTheMeshNeighbours) {
    const SphereCell cell = MakeSphereCell(7, 9);
    EXPECT_EQ(cell.p00.x, sphereMesh[7][9].x);
    EXPECT_EQ(cell.p10.y, sphereMesh[8][9].y);
    EXPECT_EQ(cell.p01.z, sphereMesh[7][10].z);
    EXPECT_EQ(cell.p11.x, sphereMesh[8][10].x);
}

TEST_F(SphereCellsTest, EveryFacetNormalIsAUnitVectorPointingOutOfTheSphere) {
    for (int polar = 0; polar < kMeshCells; ++polar) {
        for (int azimuth = 0; azimuth < kMeshCells; ++azimuth) {
            const SphereCell cell = MakeSphereCell(azimuth, polar);
            const Vec3d centre = CellCentre(cell);
            const Vec3d second = SecondFacetNormal(cell);
            EXPECT_NEAR(VecLength(second), 1.0, 1e-9) << azimuth << "," << polar;
            EXPECT_GT(Dot(second, centre), 0.0) << azimuth << "," << polar;
            if (polar == 0) {
                continue;  // the first facet of the top row collapses at the pole
            }
            const Vec3d first = FirstFacetNormal(cell);
            EXPECT_NEAR(VecLength(first), 1.0, 1e-9) << azimuth << "," << polar;
            EXPECT_GT(Dot(first, centre), 0.0) << azimuth << "," << polar;
        }
    }
}

}  // namespace
