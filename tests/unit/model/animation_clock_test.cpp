#include "model/animation_clock.h"

#include <gtest/gtest.h>

#include <cstring>

#include "model/fragments.h"
#include "model/motion.h"
#include "model_test_support.h"

namespace {

class AnimationClockTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetModelToStart(); }

    static void Advance(int passes) {
        for (int pass = 0; pass < passes; ++pass) {
            AdvanceClock();
        }
    }
};

TEST_F(AnimationClockTest, SphereLastsFourHundredPassesThenTheBurstFourHundred) {
    Advance(399);
    EXPECT_EQ(kPhaseSphere, scenePhase);
    EXPECT_EQ(399.0f, frameCounter);

    Advance(1);
    EXPECT_EQ(kPhaseBurst, scenePhase);
    EXPECT_EQ(400.0f, frameCounter);

    Advance(399);
    EXPECT_EQ(kPhaseBurst, scenePhase);
    EXPECT_EQ(799.0f, frameCounter);

    Advance(1);
    EXPECT_EQ(kPhaseSphere, scenePhase);
    EXPECT_EQ(0.0f, frameCounter);
}

TEST_F(AnimationClockTest, EveryBurstStartsTheOrbitAfresh) {
    for (int cycle = 0; cycle < 3; ++cycle) {
        Advance(399);
        orbitAngle = 55.0f;  // left over from an earlier burst
        orbitRadius = 9.5f;
        Advance(1);
        EXPECT_EQ(0.0f, orbitAngle) << "cycle " << cycle;
        EXPECT_EQ(kOrbitStartRadius, orbitRadius) << "cycle " << cycle;
        Advance(400);
    }
}

TEST_F(AnimationClockTest, EveryBurstRebuildsTheFragmentsFromTheSphere) {
    Advance(400);
    const float startX = fragments[10][20].x[0];
    MoveFragment(fragments[10][20]);
    ASSERT_NE(startX, fragments[10][20].x[0]);

    Advance(800);
    EXPECT_EQ(static_cast<float>(sphereMesh[10][20].x), fragments[10][20].x[0]);
}

TEST_F(AnimationClockTest, SpinKeepsGrowingAcrossCycles) {
    for (int pass = 0; pass < 1600; ++pass) {
        if (scenePhase == kPhaseSphere) {
            TakeSpinAngle();
        }
        AdvanceClock();
    }
    EXPECT_EQ(800.0f, spinAngle);
}

}  // namespace
