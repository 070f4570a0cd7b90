#include "model/fragments.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "model/crt_rand.h"
#include "model_test_support.h"

namespace {

class FragmentsTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetModelToStart(); }
};

std::vector<Fragment> SnapshotFragments() {
    std::vector<Fragment> copy;
    for (int a = 0; a < kFragmentCells; ++a) {
        for (int p = 0; p < kFragmentCells; ++p) {
            copy.push_back(fragments[a][p]);
        }
    }
    return copy;
}

bool SameBytes(const std::vector<Fragment>& a, const std::vector<Fragment>& b) {
    return a.size() == b.size() &&
           std::memcmp(a.data(), b.data(), a.size() * sizeof(Fragment)) == 0;
}

TEST(CrtRandTest, FollowsTheWindowsRunTimeSequenceFromStateOne) {
    crtRandState = 1;
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int value : expected) {
        EXPECT_EQ(value, CrtRand());
    }
}

TEST_F(FragmentsTest, FirstFragmentTakesTheFirstSixDrawsInComponentOrder) {
    // Draws 41, 18467 | 6334, 26500 | 19169, 15724; corner 0 is the north pole (0, 1, 0).
    BuildFragments();
    const Fragment& first = fragments[0][0];
    EXPECT_FLOAT_EQ(static_cast<float>(0.0 + 41 / 2000.0 - 67 / 2000.0), first.vx);
    EXPECT_FLOAT_EQ(static_cast<float>(1.0 / 200 + 34 / 2000.0 - 0 / 2000.0), first.vy);
    EXPECT_FLOAT_EQ(static_cast<float>(0.0 + 69 / 2000.0 - 24 / 2000.0), first.vz);
}

TEST_F(FragmentsTest, OneBurstDrawsExactly23814Numbers) {
    BuildFragments();
    const std::uint32_t afterBurst = crtRandState;
    crtRandState = 1;
    for (int call = 0; call < 23814; ++call) {
        CrtRand();
    }
    EXPECT_EQ(crtRandState, afterBurst);
}

TEST_F(FragmentsTest, CornersAreTheUnrotatedMeshCellNarrowedToFloat) {
    BuildFragments();
    for (int a = 0; a < kFragmentCells; ++a) {
        for (int p = 0; p < kFragmentCells; ++p) {
            const Fragment& f = fragments[a][p];
            const Vec3d* corners[4] = {&sphereMesh[a][p], &sphereMesh[a + 1][p],
                                       &sphereMesh[a + 1][p + 1], &sphereMesh[a][p + 1]};
            for (int c = 0; c < 4; ++c) {
                ASSERT_EQ(static_cast<float>(corners[c]->x), f.x[c]);
                ASSERT_EQ(static_cast<float>(corners[c]->y), f.y[c]);
                ASSERT_EQ(static_cast<float>(corners[c]->z), f.z[c]);
            }
        }
    }
}

TEST_F(FragmentsTest, VelocityIsOutwardDriftPlusBoundedJitter) {
    BuildFragments();
    for (int a = 0; a < kFragmentCells; ++a) {
        for (int p = 0; p < kFragmentCells; ++p) {
            const Fragment& f = fragments[a][p];
            const Vec3d& origin = sphereMesh[a][p];
            ASSERT_NEAR(origin.x / 200, f.vx, 0.0495 + 1e-6);
            ASSERT_NEAR(origin.y / 200, f.vy, 0.0495 + 1e-6);
            ASSERT_NEAR(origin.z / 200, f.vz, 0.0495 + 1e-6);
        }
    }
}

TEST_F(FragmentsTest, FirstBurstIsTheSameOnEveryRunAndTheSecondDiffers) {
    BuildFragments();
    const std::vector<Fragment> firstBurst = SnapshotFragments();
    const std::vector<Fragment> secondBurst = (BuildFragments(), SnapshotFragments());

    ResetModelToStart();  // as a new process would start
    BuildFragments();
    EXPECT_TRUE(SameBytes(firstBurst, SnapshotFragments()));
    EXPECT_FALSE(SameBytes(firstBurst, secondBurst));
}

TEST_F(FragmentsTest, EntriesPastTheBurstAreNeverWritten) {
    std::memset(fragments, 0xA5, sizeof(fragments));
    Fragment untouched;
    std::memset(&untouched, 0xA5, sizeof(untouched));

    BuildFragments();

    for (int a = 0; a < kMeshPoints; ++a) {
        for (int p = 0; p < kMeshPoints; ++p) {
            const bool outside = a >= kFragmentCells || p >= kFragmentCells;
            const bool same = std::memcmp(&fragments[a][p], &untouched, sizeof(Fragment)) == 0;
            EXPECT_EQ(outside, same) << "entry [" << a << "][" << p << "]";
        }
    }
}

}  // namespace
