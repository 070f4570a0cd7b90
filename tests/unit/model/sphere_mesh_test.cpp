#include "model/sphere_mesh.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "model_test_support.h"

namespace {

class SphereMeshTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetModelToStart(); }
};

TEST_F(SphereMeshTest, SeamColumnEqualsFirstColumnBitForBit) {
    for (int p = 0; p < kMeshPoints; ++p) {
        EXPECT_EQ(0, std::memcmp(&sphereMesh[kMeshCells][p], &sphereMesh[0][p], sizeof(Vec3d)))
            << "polar step " << p;
    }
}

TEST_F(SphereMeshTest, EveryPointOfTheFirstRingIsTheNorthPole) {
    for (int a = 0; a < kMeshPoints; ++a) {
        EXPECT_DOUBLE_EQ(1.0, sphereMesh[a][0].y) << "azimuth step " << a;
        EXPECT_NEAR(0.0, sphereMesh[a][0].x, 1e-15);
        EXPECT_NEAR(0.0, sphereMesh[a][0].z, 1e-15);
    }
}

TEST_F(SphereMeshTest, EquatorPointFacingTheCameraFollowsTheApproximateDegreeFactor) {
    const Vec3d& point = sphereMesh[32][32];
    // Both angles are 90 x 0.01745 = 1.5705 rad, a little short of a right angle.
    const double expectedOffAxis = std::cos(1.5705);
    EXPECT_NEAR(expectedOffAxis, point.y, 1e-12);
    EXPECT_NEAR(expectedOffAxis * std::sin(1.5705), point.x, 1e-12);
    EXPECT_NEAR(0.0002963, point.x, 1e-7);
    EXPECT_NEAR(0.0002963, point.y, 1e-7);
    EXPECT_LT(point.z, 1.0);
    EXPECT_GT(point.z, 0.99999);
}

TEST_F(SphereMeshTest, LastRingIsATinyCircleAroundTheSouthPole) {
    for (int a = 0; a < kMeshPoints; ++a) {
        const Vec3d& point = sphereMesh[a][kMeshCells];
        EXPECT_NEAR(0.000593, std::hypot(point.x, point.z), 1e-6) << "azimuth step " << a;
        EXPECT_NEAR(-1.0, point.y, 1e-6);
    }
}

TEST_F(SphereMeshTest, FirstColumnLiesOnTheFarSideAndEveryPointOnTheUnitSphere) {
    EXPECT_LT(sphereMesh[0][32].z, -0.9999);
    for (int a = 0; a < kMeshPoints; ++a) {
        for (int p = 0; p < kMeshPoints; ++p) {
            const Vec3d& v = sphereMesh[a][p];
            EXPECT_NEAR(1.0, v.x * v.x + v.y * v.y + v.z * v.z, 1e-12);
        }
    }
}

}  // namespace
