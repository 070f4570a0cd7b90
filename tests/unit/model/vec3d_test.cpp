#include "model/vec3d.h"

#include <gtest/gtest.h>

namespace {

TEST(Vec3dTest, CrossProductFollowsTheRightHandRuleAndNormalizeGivesUnitLength) {
    const Vec3d z = VecCross({1, 0, 0}, {0, 1, 0});
    EXPECT_EQ(0.0, z.x);
    EXPECT_EQ(0.0, z.y);
    EXPECT_EQ(1.0, z.z);

    const Vec3d d = VecSub({4, 6, 3}, {1, 2, 3});
    EXPECT_EQ(5.0, VecLength(d));
    const Vec3d unit = VecNormalize(d);
    EXPECT_DOUBLE_EQ(0.6, unit.x);
    EXPECT_DOUBLE_EQ(0.8, unit.y);
    EXPECT_EQ(0.0, unit.z);
}

}  // namespace
