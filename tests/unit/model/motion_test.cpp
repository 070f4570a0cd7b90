#include "model/motion.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/animation_clock.h"
#include "model_test_support.h"

namespace {

class MotionTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetModelToStart(); }
};

TEST_F(MotionTest, SpinUsesTheAngleBeforeItsStep) {
    EXPECT_EQ(0.0f, TakeSpinAngle());
    EXPECT_EQ(1.0f, TakeSpinAngle());
    EXPECT_EQ(2.0f, spinAngle);
}

TEST_F(MotionTest, SphereCameraIsFixedAndLeavesTheOrbitAlone) {
    orbitAngle = 12.0f;
    const EyePoint eye = PlaceCamera();
    EXPECT_EQ(0.0f, eye.x);
    EXPECT_EQ(0.0f, eye.y);
    EXPECT_EQ(6.0f, eye.z);
    EXPECT_EQ(12.0f, orbitAngle);
}

TEST_F(MotionTest, BurstCameraStartsWhereTheSphereCameraStoodThenCirclesAndRecedes) {
    scenePhase = kPhaseBurst;
    const EyePoint first = PlaceCamera();
    EXPECT_EQ(0.0f, first.x);
    EXPECT_EQ(6.0f, first.z);
    EXPECT_FLOAT_EQ(0.2f, orbitAngle);
    EXPECT_FLOAT_EQ(6.01f, orbitRadius);

    const EyePoint second = PlaceCamera();
    EXPECT_EQ(static_cast<float>(std::sin(0.2f * 3.141 / 180) * 6.01f), second.x);
    EXPECT_GT(second.x, 0.0f);  // towards +x

    for (int frame = 2; frame < 400; ++frame) {
        PlaceCamera();
    }
    EXPECT_NEAR(80.0f, orbitAngle, 0.01f);
    EXPECT_NEAR(10.0f, orbitRadius, 0.01f);
}

TEST_F(MotionTest, FragmentMovesAllFourCornersByItsVelocity) {
    Fragment f = {{0, 1, 2, 3}, {4, 5, 6, 7}, {8, 9, 10, 11}, 0.5f, -0.25f, 0.125f};
    MoveFragment(f);
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(c + 0.5f, f.x[c]);
        EXPECT_EQ(4 + c - 0.25f, f.y[c]);
        EXPECT_EQ(8 + c + 0.125f, f.z[c]);
    }
    EXPECT_EQ(0.5f, f.vx);
}

}  // namespace
